#include "obj_writer.h"

#include "materials.h"

#include <cstdio>
#include <fstream>
#include <set>
#include <stdexcept>
#include <unordered_map>

namespace {

std::string num(double v, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    std::string s = buf;
    // Never write a negative zero.
    bool allZero = true;
    for (char c : s)
        if (c != '-' && c != '0' && c != '.') allZero = false;
    if (allZero && s[0] == '-') s.erase(0, 1);
    return s;
}

struct Index {
    std::unordered_map<std::string, int> ids;
    std::string text;
    int add(const std::string& prefix, const std::string& line) {
        auto it = ids.find(line);
        if (it != ids.end()) return it->second;
        int id = static_cast<int>(ids.size()) + 1;
        ids.emplace(line, id);
        text += prefix + line + "\n";
        return id;
    }
};

}  // namespace

void writeObj(const std::string& path, const std::string& mtlName, const std::string& objectName,
              const std::vector<Tri>& tris, const std::vector<std::string>& labels, double scale) {
    Index v, vt, vn;
    std::string faces;
    std::string lastLabel = "\x01", lastMat;
    for (size_t i = 0; i < tris.size(); ++i) {
        const Tri& t = tris[i];
        std::string mat = materialDef(t.mat).name;
        if (!labels.empty() && labels[i] != lastLabel) {
            faces += "g " + labels[i] + "\nusemtl " + mat + "\n";
            lastLabel = labels[i];
            lastMat = mat;
        } else if (mat != lastMat) {
            faces += "usemtl " + mat + "\n";
            lastMat = mat;
        }
        faces += "f";
        for (const Vert& c : t.v) {
            int iv = v.add("v ", num(c.p.x * scale, 4) + " " + num(c.p.y * scale, 4) + " " + num(c.p.z * scale, 4));
            int it = vt.add("vt ", num(c.t.x, 5) + " " + num(c.t.y, 5));
            int in = vn.add("vn ", num(c.n.x, 6) + " " + num(c.n.y, 6) + " " + num(c.n.z, 6));
            faces += " " + std::to_string(iv) + "/" + std::to_string(it) + "/" + std::to_string(in);
        }
        faces += "\n";
    }
    std::ofstream out(path, std::ios::binary);
    if (!out) throw std::runtime_error("cannot write " + path);
    out << "# Tarnwick clock model, generated: " << tris.size() << " triangles\n";
    out << "mtllib " << mtlName << "\n";
    out << "o " << objectName << "\n";
    out << v.text << vt.text << vn.text << faces;
    if (!out) throw std::runtime_error("cannot write " + path);
}

void writeMtl(const std::string& path, const std::vector<Tri>& tris) {
    std::set<int> used;
    for (const Tri& t : tris) used.insert(t.mat);
    std::ofstream out(path, std::ios::binary);
    if (!out) throw std::runtime_error("cannot write " + path);
    out << "# Tarnwick clock materials, generated\n";
    for (int m : used) {
        const MaterialDef& d = materialDef(m);
        out << "\nnewmtl " << d.name << "\n";
        out << "Ns 10\n";
        out << "Ni " << num(d.ni, 4) << "\n";
        out << "d " << num(d.d, 4) << "\n";
        out << "Tr " << num(1 - d.d, 4) << "\n";
        out << "illum " << d.illum << "\n";
        out << "Ka " << num(d.ka[0], 4) << " " << num(d.ka[1], 4) << " " << num(d.ka[2], 4) << "\n";
        out << "Kd " << num(d.kd[0], 4) << " " << num(d.kd[1], 4) << " " << num(d.kd[2], 4) << "\n";
        out << "Ks 0.0000 0.0000 0.0000\n";
    }
    if (!out) throw std::runtime_error("cannot write " + path);
}
