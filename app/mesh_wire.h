// What the top view draws of a triangle mesh: a host's wireframe that hides the edges inside
// flat surfaces (a box's face diagonals, a flat ground's grid), so the outline and the creases.
#pragma once

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "host/tri_object.h"

// An edge as its two vertex indices, the lower first.
using MeshEdge = std::pair<DWORD, DWORD>;

// The outline (edges of one face, or of more than two) and the creases (edges between two faces
// whose normals part by more than 20 degrees), ordered by their vertex indices. Faces that name a
// vertex the mesh lacks are left out. Nothing when there are more than maxEdges of them.
std::optional<std::vector<MeshEdge>> MeshWireEdges(const Mesh& mesh, std::size_t maxEdges);

// The rectangle of the vertices' box at its lowest z, in order round it; empty without vertices.
std::vector<Point3> MeshFootprint(const Mesh& mesh);
