#include "range_plan.h"

#include "primitives.h"

#include <stdexcept>

AssembledMesh assemble(const std::vector<RangePlan>& plans, int records, int paddingMat) {
    if (records % 3 != 0) throw std::invalid_argument("records must come in triangles");
    int triCount = records / 3;
    std::vector<int> owner(records, -1);
    for (size_t i = 0; i < plans.size(); ++i)
        for (int r = plans[i].first; r <= plans[i].last; ++r) {
            if (owner[r] != -1) throw std::logic_error("ranges overlap at record " + std::to_string(r));
            owner[r] = static_cast<int>(i);
        }
    for (int r = 0; r < records; ++r)
        if (owner[r] == -1) throw std::logic_error("record " + std::to_string(r) + " belongs to no range");

    AssembledMesh m;
    m.tris.resize(triCount);
    m.labels.resize(triCount);
    std::vector<bool> filled(triCount, false);
    int totalPadding = 0;
    for (const RangePlan& p : plans) {
        int t0 = (p.first + 2) / 3, t1 = (p.last + 1) / 3 - 1;
        // The triangles the part may use: all whole ones but the pinned.
        std::vector<int> usable;
        for (int t = t0; t <= t1; ++t) {
            bool pin = false;
            for (int r : p.pinned) pin = pin || r / 3 == t;
            if (pin) {
                if (!p.group->moves) throw std::logic_error("a pinned record needs a moving group");
                m.tris[t] = degenerate(p.group->centre, paddingMat);
                m.labels[t] = "straddle";
                filled[t] = true;
                ++m.straddles;
            } else {
                usable.push_back(t);
            }
        }
        int slots = static_cast<int>(usable.size());
        RangeReport rep{p.label, p.first, p.last, slots, 0, 0};
        if (p.build) {
            Part best;
            for (int a = 1; a <= p.aMax; ++a)
                for (int b = 1; b <= p.bMax; ++b) {
                    Part part;
                    try {
                        part = p.build(a, b);
                    } catch (const std::exception& e) {
                        throw std::runtime_error("range " + p.label + " (detail " + std::to_string(a) + ", " +
                                                 std::to_string(b) + "): " + e.what());
                    }
                    if (static_cast<int>(part.size()) <= slots && part.size() > best.size()) best = std::move(part);
                }
            if (best.empty()) throw std::runtime_error("range " + p.label + " gets no geometry within " + std::to_string(slots));
            rep.real = static_cast<int>(best.size());
            rep.padding = slots - rep.real;
            if (rep.padding * 4 > slots)
                throw std::runtime_error("range " + p.label + " would be more than a quarter padding");
            V3 pad = p.group->moves ? p.group->centre : best.front().v[0].p;
            for (int i = 0; i < slots; ++i) {
                m.tris[usable[i]] = i < rep.real ? best[i] : degenerate(pad, paddingMat);
                m.labels[usable[i]] = p.label;
                filled[usable[i]] = true;
            }
            totalPadding += rep.padding;
        } else if (slots > 0) {
            throw std::logic_error("range " + p.label + " has triangles but no part");
        }
        m.report.push_back(rep);
    }
    // Triangles across a range boundary.
    for (int t = 0; t < triCount; ++t) {
        if (filled[t]) continue;
        const MotionGroup* moving = nullptr;
        for (int k = 0; k < 3; ++k) {
            const MotionGroup* g = plans[owner[3 * t + k]].group;
            if (g->moves) {
                if (moving && moving != g) throw std::logic_error("a triangle straddles two moving groups");
                moving = g;
            }
        }
        V3 at = moving ? moving->centre : m.tris[t > 0 ? t - 1 : t + 1].v[0].p;
        m.tris[t] = degenerate(at, paddingMat);
        m.labels[t] = "straddle";
        ++m.straddles;
    }
    if ((totalPadding + m.straddles) * 10 > triCount) throw std::runtime_error("more than a tenth of the mesh is padding");
    return m;
}
