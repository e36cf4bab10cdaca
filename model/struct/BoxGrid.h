// A uniform grid of cells over boxes, for the hit tests and the object snap: a query looks
// only at the cells under its box. Built in one pass into flat arrays; afterwards a box that
// changes or is added goes to a short side list that every query also reads, and a removed
// box is only marked, so that an edit costs no more than the box itself. The owner builds
// again when the side list grows long (Changed()).
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

class CBoxGrid
{
public:
    // Closed boxes. A box with a coordinate that is not a number, or is infinite, touches
    // every query; an otherwise inverted box (l > r or t > b) holds nothing and none finds it.
    struct Box
    {
        double l, t, r, b;
    };

    // What becomes of a box beyond the extent at a build.
    enum Beyond
    {
        CLAMP, // it goes into the border cells: every query reads the cells
        CLIP   // it stays out of the cells: a query not wholly inside the extent reads every box
    };

    // The boxes of the next build, emptied: the caller fills it (ids are the positions) and
    // calls Build. The storage is kept from build to build, so a large grid built again
    // takes no fresh memory from the system.
    std::vector<Box>& Boxes();
    // Lays about `cells` cells over `extent` and puts each box in the cells it touches, a box
    // beyond the extent as `beyond` says; the extent only tunes the speed. A box over more
    // than mostCells cells waits in the side list instead (a long member across the model
    // would fill a row or a column of cells).
    void Build(const Box& extent, size_t cells, size_t mostCells = 64, Beyond beyond = CLAMP);
    // A new box; its id is the next one.
    int Add(const Box& box);
    void Update(int id, const Box& box);
    void Remove(int id);

    size_t Count() const { return m_boxes.size(); }
    // Whether the box is in the grid: false once removed, and for a box that holds nothing.
    bool IsLive(int id) const { return m_state[(size_t)id] <= OUTSIDE; }
    // Boxes added or changed since the build (what every query reads besides its cells).
    size_t Changed() const { return m_nChanged; }
    size_t Removed() const { return m_nRemoved; }

    // The live boxes that touch q, by ascending id.
    void Query(const Box& q, std::vector<int>& out) const;

    static bool Touches(const Box& a, const Box& q) { return a.l <= q.r && q.l <= a.r && a.t <= q.b && q.t <= a.b; }

private:
    enum : uint8_t
    {
        IN_CELLS,
        IN_SIDE,
        OUTSIDE, // beyond a clipping extent, in no cell
        GONE,    // removed
        ABSENT   // held nothing from the start
    };
    static bool Finite(const Box& b)
    {
        return std::isfinite(b.l) && std::isfinite(b.t) && std::isfinite(b.r) && std::isfinite(b.b);
    }
    static Box Normal(const Box& b);
    int CellX(double x) const
    {
        const double d = (x - m_extent.l) * m_sx;
        if (!(d > 0.0))
            return 0;
        return d >= (double)m_nx ? m_nx - 1 : (int)d;
    }
    int CellY(double y) const
    {
        const double d = (y - m_extent.t) * m_sy;
        if (!(d > 0.0))
            return 0;
        return d >= (double)m_ny ? m_ny - 1 : (int)d;
    }
    void ToSide(int id);

    std::vector<Box> m_boxes;
    std::vector<uint8_t> m_state;
    std::vector<int> m_side; // ids in the side list, each once
    size_t m_nChanged = 0;
    size_t m_nRemoved = 0;
    bool m_bClip = false;
    bool m_bOutside = false; // some box is OUTSIDE

    Box m_extent{0, 0, 0, 0};
    int m_nx = 0, m_ny = 0;
    double m_sx = 0.0, m_sy = 0.0; // cells per unit
    std::vector<uint32_t> m_start;  // per cell, its first entry in m_ids; one more at the end
    std::vector<int> m_ids;
    std::vector<uint32_t> m_fill;
    std::vector<int> m_cellOf; // at a build, the one cell of a box, or -1
};
