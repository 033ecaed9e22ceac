#include "app/svg_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace {

constexpr double kLongSidePixels = 1000.0;
constexpr double kFontPixels = 13.0;

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
        else if (c == '"') out += "&quot;";
        else out += c;
    }
    return out;
}

// The drawing's extent in scene units, in double so that float-range extents cannot overflow.
struct View {
    double x0 = -100, y0 = -100, w = 200, h = 200;  // top-left corner (y down) and size
    double widthPx = kLongSidePixels, heightPx = kLongSidePixels;

    double PixelsPerUnit() const { return widthPx / w; }
};

View Frame(const std::vector<DrawRecord>& records) {
    double minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
    for (const DrawRecord& r : records)
        for (const Point3& p : r.points) {
            minX = std::min(minX, double(p.x));
            maxX = std::max(maxX, double(p.x));
            minY = std::min(minY, double(p.y));
            maxY = std::max(maxY, double(p.y));
        }
    View v;
    if (minX > maxX) return v;
    const double margin = 0.05 * std::max(maxX - minX, maxY - minY) + 1.0;
    v.x0 = minX - margin;
    v.y0 = -maxY - margin;
    v.w = maxX - minX + 2 * margin;
    v.h = maxY - minY + 2 * margin;
    // The long side gets the full width; the short one at least a pixel.
    const double scale = kLongSidePixels / std::max(v.w, v.h);
    v.widthPx = std::max(1.0, std::round(v.w * scale));
    v.heightPx = std::max(1.0, std::round(v.h * scale));
    return v;
}

void WriteDrawing(std::ostringstream& out, const std::vector<DrawRecord>& records, const View& v) {
    out << "<svg x=\"0\" y=\"0\" width=\"" << v.widthPx << "\" height=\"" << v.heightPx << "\" viewBox=\"" << v.x0
        << ' ' << v.y0 << ' ' << v.w << ' ' << v.h << "\" preserveAspectRatio=\"none\">\n"
        << "<g class=\"drawing\" fill=\"none\" stroke-width=\"1.5\" stroke-linejoin=\"round\">\n";
    for (const DrawRecord& r : records) {
        const bool triangle = r.kind == DrawRecord::Kind::Triangle;
        const bool closed = triangle || (r.kind == DrawRecord::Kind::Polyline && r.closed);
        out << (closed ? "<polygon" : "<polyline") << " stroke=\"" << Colour(r.color) << '"';
        // Filled and stroked: an upright triangle, seen from above, is still a visible line.
        if (triangle) out << " fill=\"" << Colour(r.color) << '"';
        out << " points=\"";
        for (const Point3& p : r.points) out << p.x << ',' << -p.y << ' ';
        out << "\"/>\n";
    }
    out << "</g>\n</svg>\n";
}

// A round length (1, 2 or 5 times a power of ten metres) about a fifth of the view wide.
void WriteScaleBar(std::ostringstream& out, const View& v, double metresPerUnit) {
    const double target = v.w * metresPerUnit / 5.0;
    const double decade = std::pow(10.0, std::floor(std::log10(target)));
    const double metres = target >= 5 * decade ? 5 * decade : target >= 2 * decade ? 2 * decade : decade;
    const double px = metres / metresPerUnit * v.PixelsPerUnit();
    const double x = 12, y = v.heightPx - 12;
    std::ostringstream label;
    if (metres >= 1000) label << metres / 1000 << " km";
    else if (metres >= 1) label << metres << " m";
    else label << metres * 100 << " cm";
    out << "<g class=\"scale\" stroke=\"#ffffff\" stroke-width=\"2\">\n"
        << "<polyline fill=\"none\" points=\"" << x << ',' << y - 5 << ' ' << x << ',' << y << ' ' << x + px << ','
        << y << ' ' << x + px << ',' << y - 5 << "\"/>\n"
        << "<text x=\"" << x << "\" y=\"" << y - 8 << "\" stroke=\"none\" fill=\"#ffffff\">" << label.str()
        << "</text>\n</g>\n";
}

// As many names as fit above the scale bar; the rest are counted.
void WriteLegend(std::ostringstream& out, const std::vector<LegendEntry>& legend, const View& v) {
    constexpr double kLine = kFontPixels + 4;
    const auto fit = static_cast<std::size_t>(std::max(0.0, (v.heightPx - 40) / kLine));
    const std::size_t shown = legend.size() <= fit ? legend.size() : fit > 0 ? fit - 1 : 0;
    out << "<g class=\"legend\">\n";
    double y = 8 + kFontPixels;
    for (std::size_t i = 0; i < shown; ++i) {
        const LegendEntry& e = legend[i];
        const std::string name = e.name.empty() ? "(unnamed)" : e.name;
        out << "<rect x=\"12\" y=\"" << y - 10 << "\" width=\"14\" height=\"4\" fill=\"" << Colour(e.color)
            << "\"/><text x=\"32\" y=\"" << y << "\" fill=\"" << Colour(e.color) << "\">" << Escape(name)
            << "</text>\n";
        y += kLine;
    }
    if (shown < legend.size() && fit > 0)
        out << "<text x=\"12\" y=\"" << y << "\" fill=\"#ffffff\">and " << legend.size() - shown << " more</text>\n";
    out << "</g>\n";
}

}  // namespace

std::string TopViewSvg(const ViewCapture& view, const std::string& title, double metresPerUnit) {
    const View v = Frame(view.records);
    std::ostringstream out;
    out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << v.widthPx << "\" height=\"" << v.heightPx
        << "\" viewBox=\"0 0 " << v.widthPx << ' ' << v.heightPx << "\" font-family=\"sans-serif\" font-size=\""
        << kFontPixels << "\">\n"
        << "<title>" << Escape(title) << "</title>\n"
        // Lines keep their width in screen pixels at every zoom.
        << "<style>.drawing * { vector-effect: non-scaling-stroke; }</style>\n"
        << "<rect width=\"100%\" height=\"100%\" fill=\"#3c3c3c\"/>\n";
    WriteDrawing(out, view.records, v);
    WriteScaleBar(out, v, metresPerUnit);
    WriteLegend(out, view.legend, v);
    out << "</svg>\n";
    return out.str();
}
