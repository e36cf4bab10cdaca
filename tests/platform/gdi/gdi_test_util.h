// A memory device context drawing into a bitmap of known contents.
#pragma once

#include <gtest/gtest.h>

#include <vyr/stdafx.h>

struct Canvas
{
    CDC dc;
    CBitmap bmp;
    CBitmap* old = nullptr;

    Canvas(int w, int h, COLORREF bg = RGB(255, 255, 255))
    {
        dc.CreateCompatibleDC(nullptr);
        bmp.CreateCompatibleBitmap(&dc, w, h);
        bmp.GetImage()->Fill(bg);
        old = dc.SelectObject(&bmp);
    }
    ~Canvas() { dc.SelectObject(old); }
    vyr::Image& Img() { return *bmp.GetImage(); }
    // A background where every pixel differs from its neighbours, so that a wrong pixel
    // cannot hide by chance.
    void Noise()
    {
        vyr::Image& im = Img();
        unsigned s = 12345;
        for (int y = 0; y < im.Height(); ++y)
            for (int x = 0; x < im.Width(); ++x) {
                s = s * 1103515245u + 12345u;
                im.Row(y)[x] = (s >> 8) & 0xFFFFFF;
            }
    }
    int CountNot(COLORREF c) const
    {
        const vyr::Image& im = *bmp.GetImage();
        int n = 0;
        for (int y = 0; y < im.Height(); ++y)
            for (int x = 0; x < im.Width(); ++x) n += im.GetPixel(x, y) != c;
        return n;
    }
};
