// DXF files of the drawing export read back by ezdxf (the reader of the writer's own
// tests), with its audit: layers, lines and texts.
#pragma once

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace vyrtest {

struct DxfLine
{
    std::string layer;
    double x1, y1, z1, x2, y2, z2;
};

struct DxfText
{
    std::string layer;
    double x, y, z, height, rotation;
    int halign, valign;
    std::string text;
};

struct DxfRead
{
    int errors = -1;
    std::vector<std::string> layers;
    std::vector<DxfLine> lines;
    std::vector<DxfText> texts;
    int others = 0;
    bool Has(double x1, double y1, double x2, double y2) const
    {
        for (const DxfLine& l : lines)
            if ((l.x1 == x1 && l.y1 == y1 && l.x2 == x2 && l.y2 == y2) || (l.x1 == x2 && l.y1 == y2 && l.x2 == x1 && l.y2 == y1))
                return true;
        return false;
    }
    std::vector<DxfLine> OnLayer(const std::string& layer) const
    {
        std::vector<DxfLine> out;
        for (const DxfLine& l : lines)
            if (l.layer == layer)
                out.push_back(l);
        return out;
    }
};

inline std::string RunPython(const std::string& args)
{
    const std::string cmd = "/usr/bin/python3 " + args + " 2>&1";
    std::string out;
    if (FILE* p = popen(cmd.c_str(), "r")) {
        char buf[4096];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, p)) > 0)
            out.append(buf, n);
        pclose(p);
    }
    return out;
}

inline DxfRead ReadDxf(const std::filesystem::path& file)
{
    const std::string out =
        RunPython(std::string(VYR_SOURCE_DIR) + "/tests/model/dxf/read_dxf.py '" + file.string() + "'");
    DxfRead r;
    std::istringstream in(out);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream f(line);
        std::string head;
        f >> head;
        if (head == "ERRORS") {
            f >> r.errors;
        } else if (head == "LAYER") {
            std::string name;
            f >> name;
            r.layers.push_back(name);
        } else if (head == "LINE") {
            DxfLine l;
            f >> l.layer >> l.x1 >> l.y1 >> l.z1 >> l.x2 >> l.y2 >> l.z2;
            r.lines.push_back(l);
        } else if (head == "TEXT") {
            DxfText t;
            double ax, ay, az;
            f >> t.layer >> t.x >> t.y >> t.z >> t.height >> t.rotation >> t.halign >> t.valign >> ax >> ay >> az;
            const size_t bar = line.find('|');
            t.text = bar == std::string::npos ? std::string() : line.substr(bar + 1);
            // An aligned text's place is its alignment point.
            if (t.halign != 0 || t.valign != 0) {
                t.x = ax;
                t.y = ay;
                t.z = az;
            }
            r.texts.push_back(t);
            ++r.others;
        } else if (head == "OTHER") {
            ++r.others;
        }
    }
    return r;
}

} // namespace vyrtest
