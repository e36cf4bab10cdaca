#include <vyr/model/struct/BoxGrid.h>

#include <algorithm>
#include <limits>

namespace
{
constexpr size_t kMaxCells = size_t(1) << 22;
constexpr double kInf = std::numeric_limits<double>::infinity();

bool Inverted(const CBoxGrid::Box& b)
{
    return b.l > b.r || b.t > b.b;
}
} // namespace

CBoxGrid::Box CBoxGrid::Normal(const Box& b)
{
    return Finite(b) ? b : Box{-kInf, -kInf, kInf, kInf};
}

std::vector<CBoxGrid::Box>& CBoxGrid::Boxes()
{
    m_boxes.clear();
    return m_boxes;
}

void CBoxGrid::Build(const Box& extent, size_t cells, size_t mostCells, Beyond beyond)
{
    // Room for the boxes the caller reserved, so that adding one never moves the lot.
    m_state.reserve(m_boxes.capacity());
    m_state.assign(m_boxes.size(), IN_CELLS);
    m_cellOf.resize(m_boxes.size());
    m_side.clear();
    m_nChanged = 0;
    m_nRemoved = 0;
    m_bClip = beyond == CLIP;
    m_bOutside = false;

    cells = std::clamp<size_t>(cells, 1, kMaxCells);
    m_extent = Finite(extent) ? extent : Box{0, 0, 0, 0};
    const double w = std::max(0.0, m_extent.r - m_extent.l), h = std::max(0.0, m_extent.b - m_extent.t);
    if (w > 0.0 && h > 0.0)
    {
        const double side = std::sqrt(w * h / (double)cells);
        m_nx = (int)std::clamp(std::ceil(w / side), 1.0, (double)cells);
        m_ny = (int)std::clamp(std::ceil(h / side), 1.0, (double)cells);
        while ((size_t)m_nx * (size_t)m_ny > 2 * cells)
            (m_nx > m_ny ? m_nx : m_ny) /= 2;
    }
    else
    {
        m_nx = w > 0.0 ? (int)cells : 1;
        m_ny = h > 0.0 ? (int)cells : 1;
    }
    m_sx = w > 0.0 ? m_nx / w : 0.0;
    m_sy = h > 0.0 ? m_ny / h : 0.0;

    // Counted first, then filled: two passes over flat arrays instead of a list per cell. A
    // box in one cell, the most of them, keeps that cell from the first pass to the second.
    const size_t ncells = (size_t)m_nx * (size_t)m_ny;
    m_start.assign(ncells + 1, 0);
    for (size_t i = 0; i < m_boxes.size(); ++i)
    {
        Box& b = m_boxes[i];
        if (!Finite(b))
            b = Normal(b);
        if (Inverted(b))
        {
            m_state[i] = ABSENT;
            continue;
        }
        if (m_bClip && Finite(b) && !Touches(b, m_extent))
        {
            m_state[i] = OUTSIDE;
            m_bOutside = true;
            continue;
        }
        const int x0 = CellX(b.l), x1 = CellX(b.r), y0 = CellY(b.t), y1 = CellY(b.b);
        if (!Finite(b) || (size_t)(x1 - x0 + 1) * (size_t)(y1 - y0 + 1) > mostCells)
        {
            m_state[i] = IN_SIDE;
            m_side.push_back((int)i);
            continue;
        }
        if (x0 == x1 && y0 == y1)
        {
            const size_t c = (size_t)y0 * (size_t)m_nx + (size_t)x0;
            m_cellOf[i] = (int)c;
            ++m_start[c + 1];
            continue;
        }
        m_cellOf[i] = -1;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                ++m_start[(size_t)y * (size_t)m_nx + (size_t)x + 1];
    }
    for (size_t c = 0; c < ncells; ++c)
        m_start[c + 1] += m_start[c];
    m_ids.resize(m_start[ncells]);
    m_fill.assign(m_start.begin(), m_start.end() - 1);
    for (size_t i = 0; i < m_boxes.size(); ++i)
    {
        if (m_state[i] != IN_CELLS)
            continue;
        if (m_cellOf[i] >= 0)
        {
            m_ids[m_fill[(size_t)m_cellOf[i]]++] = (int)i;
            continue;
        }
        const Box& b = m_boxes[i];
        const int x0 = CellX(b.l), x1 = CellX(b.r), y0 = CellY(b.t), y1 = CellY(b.b);
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                m_ids[m_fill[(size_t)y * (size_t)m_nx + (size_t)x]++] = (int)i;
    }
}

void CBoxGrid::ToSide(int id)
{
    if (m_state[(size_t)id] != IN_SIDE)
        m_side.push_back(id);
    m_state[(size_t)id] = IN_SIDE;
    ++m_nChanged;
}

int CBoxGrid::Add(const Box& box)
{
    m_boxes.push_back(Normal(box));
    m_state.push_back(ABSENT);
    const int id = (int)m_boxes.size() - 1;
    if (!Inverted(m_boxes.back()))
        ToSide(id);
    return id;
}

void CBoxGrid::Update(int id, const Box& box)
{
    const uint8_t state = m_state[(size_t)id];
    if (state == GONE || state == ABSENT)
        return;
    m_boxes[(size_t)id] = Normal(box);
    if (Inverted(m_boxes[(size_t)id]))
    {
        Remove(id);
        return;
    }
    ToSide(id);
}

void CBoxGrid::Remove(int id)
{
    const uint8_t state = m_state[(size_t)id];
    if (state == GONE || state == ABSENT)
        return;
    if (state == IN_SIDE)
        m_side.erase(std::find(m_side.begin(), m_side.end(), id));
    m_state[(size_t)id] = GONE;
    ++m_nRemoved;
}

void CBoxGrid::Query(const Box& q, std::vector<int>& out) const
{
    out.clear();
    const size_t live = m_boxes.size() - m_nRemoved;
    if (live == 0)
        return;
    const bool finite = Finite(q);
    // A box beyond a clipping extent is in no cell: a query reaching there reads them all.
    const bool inside = !m_bOutside || (q.l >= m_extent.l && q.r <= m_extent.r && q.t >= m_extent.t && q.b <= m_extent.b);
    int x0 = 0, x1 = 0, y0 = 0, y1 = 0;
    size_t touched = live; // what a query through the cells would read, estimated
    if (finite && inside && m_nx > 0)
    {
        x0 = CellX(q.l);
        x1 = CellX(q.r);
        y0 = CellY(q.t);
        y1 = CellY(q.b);
        const size_t cells = (size_t)(x1 - x0 + 1) * (size_t)(y1 - y0 + 1);
        touched = (size_t)((double)cells * (double)m_ids.size() / (double)((size_t)m_nx * (size_t)m_ny)) + m_side.size();
    }
    // A query over much of the grid reads the boxes in order instead, with nothing to sort.
    if (touched * 4 >= live)
    {
        for (size_t i = 0; i < m_boxes.size(); ++i)
            if (m_state[i] <= OUTSIDE && (!finite || Touches(m_boxes[i], q)))
                out.push_back((int)i);
        return;
    }
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
        {
            const size_t c = (size_t)y * (size_t)m_nx + (size_t)x;
            for (uint32_t k = m_start[c]; k < m_start[c + 1]; ++k)
            {
                const int id = m_ids[k];
                if (m_state[(size_t)id] != IN_CELLS)
                    continue;
                const Box& b = m_boxes[(size_t)id];
                // A box in several cells is reported from one only: the cell of the corner of
                // its overlap with the query.
                if (Touches(b, q) && CellX(std::max(b.l, q.l)) == x && CellY(std::max(b.t, q.t)) == y)
                    out.push_back(id);
            }
        }
    for (int id : m_side)
        if (Touches(m_boxes[(size_t)id], q))
            out.push_back(id);
    std::sort(out.begin(), out.end());
}
