#include "app/ground_mesh_reader.h"

#include <memory>
#include <string>
#include <vector>

#include "app/json_reader.h"
#include "app/scene_limits.h"
#include "host/tri_object.h"

namespace {
constexpr int kMaxGridSide = 1414;

void TakeTriangles(const JsonPlace& place, std::size_t triangles, std::size_t& budget) {
    if (triangles > budget)
        place.Fail("the scene's meshes pass " + std::to_string(kMaxMeshTriangles) + " triangles");
    budget -= triangles;
}

struct GridSize {
    float width = 0.0f, length = 0.0f;
};

GridSize ReadSize(const JsonPlace& size) {
    if (!size.Value().is_array() || size.Size() != 2) size.Fail("expected [width, length]");
    const GridSize s{static_cast<float>(size.Item(0).FiniteNumber()), static_cast<float>(size.Item(1).FiniteNumber())};
    if (!(s.width > 0.0f && s.length > 0.0f)) size.Fail("the width and length must be above 0");
    return s;
}

int ReadCount(const JsonPlace& count, int lowest) {
    const int n = count.Integer();
    if (n < lowest || n > kMaxGridSide)
        count.Fail("expected a whole number from " + std::to_string(lowest) + " to " + std::to_string(kMaxGridSide));
    return n;
}

// Grid points along one side of a height field.
void CheckPoints(const JsonPlace& list, const char* what) {
    if (list.Size() < 2 || list.Size() > static_cast<std::size_t>(kMaxGridSide) + 1)
        list.Fail(std::string("expected 2 to ") + std::to_string(kMaxGridSide + 1) + " " + what);
}

// nx by ny cells over the size, centred on the object's origin, two triangles a cell facing +Z;
// height(i, j) gives the z of grid point i along x, j along y.
template <class Height>
std::unique_ptr<TriObject> MakeGrid(GridSize size, int nx, int ny, Height height) {
    auto tri = std::make_unique<TriObject>();
    Mesh& mesh = tri->GetMesh();
    for (int j = 0; j <= ny; ++j)
        for (int i = 0; i <= nx; ++i)
            mesh.verts.emplace_back(size.width * (static_cast<float>(i) / static_cast<float>(nx) - 0.5f),
                                    size.length * (static_cast<float>(j) / static_cast<float>(ny) - 0.5f), height(i, j));
    const auto at = [nx](int i, int j) { return static_cast<DWORD>(j * (nx + 1) + i); };
    for (int j = 0; j < ny; ++j)
        for (int i = 0; i < nx; ++i) {
            Face a, b;
            a.setVerts(at(i, j), at(i + 1, j), at(i + 1, j + 1));
            b.setVerts(at(i, j), at(i + 1, j + 1), at(i, j + 1));
            mesh.faces.push_back(a);
            mesh.faces.push_back(b);
        }
    return tri;
}

}  // namespace

Object* ReadPlane(const JsonPlace& obj, std::size_t& triangleBudget) {
    obj.ExpectObject({"class", "size", "segments"});
    int nx = 1, ny = 1;
    if (obj.Has("segments")) {
        const JsonPlace segments = obj["segments"];
        if (!segments.Value().is_array() || segments.Size() != 2) segments.Fail("expected [along x, along y]");
        nx = ReadCount(segments.Item(0), 1);
        ny = ReadCount(segments.Item(1), 1);
    }
    const GridSize size = ReadSize(obj["size"]);
    TakeTriangles(obj, 2 * static_cast<std::size_t>(nx) * static_cast<std::size_t>(ny), triangleBudget);
    return MakeGrid(size, nx, ny, [](int, int) { return 0.0f; }).release();
}

// Rows run along y, from the lowest; each row holds the heights along x.
Object* ReadHeightField(const JsonPlace& obj, std::size_t& triangleBudget) {
    obj.ExpectObject({"class", "size", "heights"});
    const GridSize size = ReadSize(obj["size"]);
    const JsonPlace rows = obj["heights"];
    rows.ExpectArray();
    CheckPoints(rows, "rows");
    std::vector<std::vector<float>> heights;
    for (std::size_t j = 0; j < rows.Size(); ++j) {
        const JsonPlace row = rows.Item(j);
        row.ExpectArray();
        CheckPoints(row, "heights");
        if (j > 0 && row.Size() != heights[0].size()) row.Fail("every row needs as many heights as the first");
        heights.emplace_back();
        for (std::size_t i = 0; i < row.Size(); ++i) heights.back().push_back(static_cast<float>(row.Item(i).FiniteNumber()));
    }
    const int nx = static_cast<int>(heights[0].size()) - 1;
    const int ny = static_cast<int>(heights.size()) - 1;
    TakeTriangles(obj, 2 * static_cast<std::size_t>(nx) * static_cast<std::size_t>(ny), triangleBudget);
    return MakeGrid(size, nx, ny, [&heights](int i, int j) {
        return heights[static_cast<std::size_t>(j)][static_cast<std::size_t>(i)];
    }).release();
}

Object* ReadMesh(const JsonPlace& obj, std::size_t& triangleBudget) {
    obj.ExpectObject({"class", "vertices", "faces"});
    auto tri = std::make_unique<TriObject>();
    Mesh& mesh = tri->GetMesh();
    const JsonPlace vertices = obj["vertices"];
    vertices.ExpectArray();
    for (std::size_t i = 0; i < vertices.Size(); ++i) mesh.verts.push_back(vertices.Item(i).Vector3());
    const JsonPlace faces = obj["faces"];
    faces.ExpectArray();
    TakeTriangles(faces, faces.Size(), triangleBudget);
    for (std::size_t f = 0; f < faces.Size(); ++f) {
        const JsonPlace face = faces.Item(f);
        if (!face.Value().is_array() || face.Size() != 3) face.Fail("expected [a, b, c]");
        DWORD index[3];
        for (std::size_t k = 0; k < 3; ++k) {
            const int v = face.Item(k).Integer();
            if (v < 0 || static_cast<std::size_t>(v) >= mesh.verts.size())
                face.Item(k).Fail("no vertex " + std::to_string(v) + " (the mesh has " +
                                  std::to_string(mesh.verts.size()) + ")");
            index[k] = static_cast<DWORD>(v);
        }
        Face made;
        made.setVerts(index[0], index[1], index[2]);
        mesh.faces.push_back(made);
    }
    return tri.release();
}

Object* ReadBox(const JsonPlace& obj, std::size_t& triangleBudget) {
    obj.ExpectObject({"class", "size"});
    const JsonPlace size = obj["size"];
    const Point3 s = size.Vector3();
    if (!(s.x > 0.0f && s.y > 0.0f && s.z > 0.0f)) size.Fail("every side must be above 0");
    TakeTriangles(obj, 12, triangleBudget);
    auto tri = std::make_unique<TriObject>();
    Mesh& mesh = tri->GetMesh();
    for (int i = 0; i < 8; ++i)
        mesh.verts.emplace_back((i & 1 ? 0.5f : -0.5f) * s.x, (i & 2 ? 0.5f : -0.5f) * s.y, i & 4 ? s.z : 0.0f);
    // Two triangles a side, corners numbered as the bits x, y, z.
    constexpr DWORD kSides[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4}, {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
    for (const auto& q : kSides) {
        Face a, b;
        a.setVerts(q[0], q[1], q[2]);
        b.setVerts(q[0], q[2], q[3]);
        mesh.faces.push_back(a);
        mesh.faces.push_back(b);
    }
    return tri.release();
}
