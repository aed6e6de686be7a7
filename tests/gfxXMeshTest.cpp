#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/XMesh.h"

namespace {

// A frame moved by (10, 0, 0) holding a quad (one four-index face) and a
// triangle, with normals, texture coordinates, vertex colours, an inline
// material and a reference to a named one; unknown templates around it.
const char* kQuadAndTriangle = R"(xof 0303txt 0032
template Header { <3D82AB43-62DA-11cf-AB39-0020AF71E433> WORD major; WORD minor; DWORD flags; }
Header { 1; 0; 1; }
// a comment
Material Red {
  1.000000;0.000000;0.000000;0.500000;;
  8.000000;
  0.100000;0.200000;0.300000;;
  0.000000;0.000000;0.250000;;
  TextureFilename { "unused.bmp"; }
}
Frame Root {
  FrameTransformMatrix {
    1.0,0.0,0.0,0.0, 0.0,1.0,0.0,0.0, 0.0,0.0,1.0,0.0, 10.0,0.0,0.0,1.0;;
  }
  Frame Child {
    Mesh Box {
      5;
      0.0;0.0;0.0;, 1.0;0.0;0.0;, 1.0;1.0;0.0;, 0.0;1.0;0.0;, 0.0;0.0;1.0;;
      2;
      4;0,1,2,3;,
      3;0,1,4;;
      MeshNormals {
        2;
        0.0;0.0;-2.0;, 0.0;1.0;0.0;;
        2;
        4;0,0,0,0;,
        3;1,1,1;;
      }
      MeshTextureCoords {
        5;
        0.0;0.0;, 1.0;0.0;, 1.0;1.0;, 0.0;1.0;, 0.5;0.5;;
      }
      MeshVertexColors {
        1;
        2;0.0;1.0;0.0;1.0;;;
      }
      MeshMaterialList {
        2;
        2;
        1,
        0;;
        { Red }
        Material {
          0.0;0.0;1.0;1.0;;
          1.0;
          0.0;0.0;0.0;;
          0.0;0.0;0.0;;
        }
      }
      VertexDuplicationIndices { 5; 5; 0,1,2,3,4;; }
    }
  }
}
)";

int parse(const std::string& text, xmesh::MeshData& out) { return xmesh::parseXMesh(text.data(), text.size(), out); }

TEST(GfxXMesh, FlattensFramesSplitsPolygonsAndKeepsMaterials) {
    xmesh::MeshData mesh;
    ASSERT_EQ(parse(kQuadAndTriangle, mesh), xmesh::kOk);
    ASSERT_EQ(mesh.materials.size(), 2u);
    EXPECT_FLOAT_EQ(mesh.materials[0].diffuse.r, 1.0f);
    EXPECT_FLOAT_EQ(mesh.materials[0].diffuse.a, 0.5f);
    EXPECT_FLOAT_EQ(mesh.materials[0].power, 8.0f);
    EXPECT_FLOAT_EQ(mesh.materials[0].specular.b, 0.3f);
    EXPECT_FLOAT_EQ(mesh.materials[0].emissive.b, 0.25f);
    EXPECT_FLOAT_EQ(mesh.materials[1].diffuse.b, 1.0f);
    EXPECT_TRUE(mesh.hasNormals);
    EXPECT_TRUE(mesh.hasColours);

    // Face 0 (the quad) uses material 1, split into a fan of two triangles.
    ASSERT_EQ(mesh.subsets[1].size(), 6u);
    const xmesh::MeshVertex& v2 = mesh.subsets[1][2];  // corner 2 of the first triangle
    EXPECT_FLOAT_EQ(v2.position.x, 11.0f);           // moved by the frame
    EXPECT_FLOAT_EQ(v2.position.y, 1.0f);
    EXPECT_FLOAT_EQ(v2.u, 1.0f);
    EXPECT_FLOAT_EQ(v2.v, 1.0f);
    EXPECT_EQ(v2.colour, 0xFF00FF00u);  // the one coloured vertex
    EXPECT_FLOAT_EQ(v2.normal.z, -1.0f);  // normalised
    EXPECT_EQ(mesh.subsets[1][0].colour, 0xFFFFFFFFu);
    EXPECT_FLOAT_EQ(mesh.subsets[1][5].position.y, 1.0f);  // second fan triangle ends at vertex 3

    // Face 1 (the triangle) uses the referenced material 0.
    ASSERT_EQ(mesh.subsets[0].size(), 3u);
    EXPECT_FLOAT_EQ(mesh.subsets[0][2].position.z, 1.0f);
    EXPECT_FLOAT_EQ(mesh.subsets[0][2].normal.y, 1.0f);
}

TEST(GfxXMesh, MeshWithoutMaterialsGetsOneWhiteMaterial) {
    xmesh::MeshData mesh;
    ASSERT_EQ(parse("xof 0303txt 0032\nMesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }\n", mesh), xmesh::kOk);
    ASSERT_EQ(mesh.materials.size(), 1u);
    EXPECT_FLOAT_EQ(mesh.materials[0].diffuse.g, 1.0f);
    EXPECT_EQ(mesh.subsets[0].size(), 3u);
    EXPECT_FALSE(mesh.hasNormals);
}

TEST(GfxXMesh, CorruptInputFailsWithACode) {
    const std::string good = kQuadAndTriangle;
    xmesh::MeshData mesh;
    // Every truncation of the body either parses a prefix or fails: never crashes.
    for (std::size_t n = 0; n < good.size(); n += 7) {
        const int r = parse(good.substr(0, n), mesh);
        EXPECT_TRUE(r == xmesh::kOk || r == xmesh::kCorrupt);
    }
    const char* bad[] = {
        "",
        "xof 0303bin 0032",                                                          // binary
        "xof 0303txt 0032\nHeader { 1; 0; 1; }\n",                                  // no mesh
        "xof 0303txt 0032\nMesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,7;; }\n",      // index out of range
        "xof 0303txt 0032\nMesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 2;0,1;; }\n",        // face of two
        "xof 0303txt 0032\nMesh { 99999999; 0;0;0;; }\n",                           // absurd count
        "xof 0303txt 0032\nMesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; MeshMaterialList { 1; 1; 0;; { Nowhere } } }\n",
        "xof 0303txt 0032\nMesh { 3; 0;0;0;, 1;0;0;, 0;1;x;; 1; 3;0,1,2;; }\n",       // a name where a number goes
        "xof 0303txt 0032\nFrame { Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }\n",  // unclosed frame
    };
    for (const char* text : bad) EXPECT_EQ(parse(text, mesh), xmesh::kCorrupt) << text;
    EXPECT_EQ(xmesh::loadXMeshFile("/nonexistent/Xfile_1.x", mesh), xmesh::kMissing);
}

}  // namespace
