#include "app/svg_writer.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

std::string Colour(const Point3& c) {
    auto channel = [](float v) { return static_cast<int>(std::lround(std::fmin(std::fmax(v, 0.0f), 1.0f) * 255.0f)); };
    char buf[16];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", channel(c.x), channel(c.y), channel(c.z));
    return buf;
}

std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else if (c == '&') out += "&amp;";
        else out += c;
    }
    return out;
}

Box3 Bounds(const std::vector<DrawRecord>& records) {
    Box3 box;
    for (const DrawRecord& r : records)
        for (const Point3& p : r.points)
            if (std::isfinite(p.x) && std::isfinite(p.y)) box += Point3(p.x, p.y, 0.0f);
    if (box.IsEmpty()) box = Box3({-100, -100, 0}, {100, 100, 0});
    return box;
}

void WritePoints(std::ostringstream& out, const DrawRecord& r) {
    for (const Point3& p : r.points) out << p.x << ',' << -p.y << ' ';
}

void WriteRecord(std::ostringstream& out, const DrawRecord& r) {
    const bool closed = r.kind == DrawRecord::Kind::Triangle || (r.kind == DrawRecord::Kind::Polyline && r.closed);
    out << (closed ? "<polygon" : "<polyline") << " stroke=\"" << Colour(r.color) << '"';
    // Filled and stroked: an upright triangle, seen from above, is still a visible line.
    if (r.kind == DrawRecord::Kind::Triangle) out << " fill=\"" << Colour(r.color) << '"';
    out << " points=\"";
    WritePoints(out, r);
    out << "\"/>\n";
}

}  // namespace

std::string TopViewSvg(const std::vector<DrawRecord>& records, const std::string& title) {
    const Box3 box = Bounds(records);
    const float margin = 0.05f * std::fmax(box.pmax.x - box.pmin.x, box.pmax.y - box.pmin.y) + 1.0f;
    const float x0 = box.pmin.x - margin, y0 = -box.pmax.y - margin;
    const float w = box.pmax.x - box.pmin.x + 2 * margin, h = box.pmax.y - box.pmin.y + 2 * margin;
    std::ostringstream out;
    out << "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"" << x0 << ' ' << y0 << ' ' << w << ' ' << h
        << "\" width=\"1000\" height=\"" << static_cast<int>(1000.0f * h / w) << "\">\n"
        << "<title>" << Escape(title) << "</title>\n"
        << "<rect x=\"" << x0 << "\" y=\"" << y0 << "\" width=\"" << w << "\" height=\"" << h
        << "\" fill=\"#3c3c3c\"/>\n"
        // Strokes about 1.5 pixels wide at the document's 1000-pixel width, whatever the scene's size.
        << "<g fill=\"none\" stroke-width=\"" << 1.5f * w / 1000.0f << "\" stroke-linejoin=\"round\">\n";
    for (const DrawRecord& r : records) WriteRecord(out, r);
    out << "</g>\n</svg>\n";
    return out.str();
}

void WriteFileAtomically(const std::string& path, const std::string& text) {
    const std::string temp = path + ".tmp";
    {
        std::ofstream file(temp, std::ios::binary | std::ios::trunc);
        if (!file || !(file << text) || !file.flush()) {
            std::remove(temp.c_str());
            throw std::runtime_error("cannot write " + path);
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::remove(temp.c_str());
        throw std::runtime_error("cannot write " + path + ": " + ec.message());
    }
}
