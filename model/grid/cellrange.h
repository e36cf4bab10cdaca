// Cell coordinates of the grid control: one cell, and a rectangular range of cells.
#pragma once

#include <vyr/stdafx.h>

class CCellID
{
public:
    int row, col;

    explicit CCellID(int nRow = -1, int nCol = -1) : row(nRow), col(nCol) {}

    int IsValid() const { return row >= 0 && col >= 0; }
    int operator==(const CCellID& rhs) const { return row == rhs.row && col == rhs.col; }
    int operator!=(const CCellID& rhs) const { return !(*this == rhs); }
    CCellID& operator=(const CCellID& rhs)
    {
        row = rhs.row;
        col = rhs.col;
        return *this;
    }
    CCellID(const CCellID& rhs) = default;
};

class CCellRange
{
public:
    CCellRange(int nMinRow = -1, int nMinCol = -1, int nMaxRow = -1, int nMaxCol = -1)
    {
        Set(nMinRow, nMinCol, nMaxRow, nMaxCol);
    }
    CCellRange(const CCellRange& rhs) = default;

    void Set(int nMinRow = -1, int nMinCol = -1, int nMaxRow = -1, int nMaxCol = -1)
    {
        m_nMinRow = nMinRow;
        m_nMinCol = nMinCol;
        m_nMaxRow = nMaxRow;
        m_nMaxCol = nMaxCol;
    }

    int IsValid() const
    {
        return m_nMinRow >= 0 && m_nMinCol >= 0 && m_nMaxRow >= 0 && m_nMaxCol >= 0 && m_nMaxRow >= m_nMinRow &&
               m_nMaxCol >= m_nMinCol;
    }
    int InRange(int row, int col) const
    {
        return row >= m_nMinRow && row <= m_nMaxRow && col >= m_nMinCol && col <= m_nMaxCol;
    }
    int InRange(const CCellID& cellID) const { return InRange(cellID.row, cellID.col); }
    int Count() const { return (m_nMaxCol - m_nMinCol + 1) * (m_nMaxRow - m_nMinRow + 1); }

    CCellID GetTopLeft() const { return CCellID(m_nMinRow, m_nMinCol); }
    // Per coordinate the larger minimum and the smaller maximum; may be an invalid range.
    CCellRange Intersect(const CCellRange& rhs) const
    {
        return CCellRange(m_nMinRow > rhs.m_nMinRow ? m_nMinRow : rhs.m_nMinRow,
                          m_nMinCol > rhs.m_nMinCol ? m_nMinCol : rhs.m_nMinCol,
                          m_nMaxRow < rhs.m_nMaxRow ? m_nMaxRow : rhs.m_nMaxRow,
                          m_nMaxCol < rhs.m_nMaxCol ? m_nMaxCol : rhs.m_nMaxCol);
    }

    int GetMinRow() const { return m_nMinRow; }
    void SetMinRow(int minRow) { m_nMinRow = minRow; }
    int GetMinCol() const { return m_nMinCol; }
    void SetMinCol(int minCol) { m_nMinCol = minCol; }
    int GetMaxRow() const { return m_nMaxRow; }
    void SetMaxRow(int maxRow) { m_nMaxRow = maxRow; }
    int GetMaxCol() const { return m_nMaxCol; }
    void SetMaxCol(int maxCol) { m_nMaxCol = maxCol; }
    int GetRowSpan() const { return m_nMaxRow - m_nMinRow + 1; }
    int GetColSpan() const { return m_nMaxCol - m_nMinCol + 1; }

    CCellRange& operator=(const CCellRange& rhs)
    {
        if (this != &rhs) Set(rhs.m_nMinRow, rhs.m_nMinCol, rhs.m_nMaxRow, rhs.m_nMaxCol);
        return *this;
    }
    int operator==(const CCellRange& rhs) const
    {
        return m_nMinRow == rhs.m_nMinRow && m_nMinCol == rhs.m_nMinCol && m_nMaxRow == rhs.m_nMaxRow &&
               m_nMaxCol == rhs.m_nMaxCol;
    }
    int operator!=(const CCellRange& rhs) const { return !(*this == rhs); }

protected:
    int m_nMinRow;
    int m_nMinCol;
    int m_nMaxRow;
    int m_nMaxCol;
};
