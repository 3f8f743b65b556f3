// CDib: one device-independent bitmap in memory, as a BMP file holds it with
// a 40-byte info header: loads and saves it, keeps a logical palette for
// images of 8 bits per pixel or fewer, and draws it into a device context at
// its own size, stretched, or as a sub-rectangle.
#pragma once

#include <windows.h>

#include "framework/DeviceContext.h"
#include "framework/File.h"
#include "framework/GdiObjects.h"
#include "framework/Strings.h"

class CDib {
public:
    CDib();
    virtual ~CDib();
    CDib(const CDib&) = delete;
    CDib& operator=(const CDib&) = delete;

    // Copies the sub-rectangle src of the image to the destination's top
    // left without stretching; the number of scan lines GDI reports, 0
    // without an image.
    virtual int DrawRect(CDC* pDC, const RECT* dest, const RECT* src);
    // The whole image stretched to cx x cy at (x, y). TRUE when GDI copied
    // any lines; nothing is drawn without an image.
    virtual BOOL DrawStretched(CDC* pDC, int x, int y, int cx, int cy);
    // DrawStretched at the image's own width and height.
    virtual BOOL Draw(CDC* pDC, int x, int y);
    // FALSE when the file cannot be opened, else the result of Read.
    virtual BOOL Load(const CString& path);
    // Parses a BMP file from the file's current position. FALSE, leaving
    // neither header nor pixels, for a file that is not a BMP, has another
    // header size than 40, or whose colour count, total size or pixel size
    // does not fit what the file and the colour table can hold. A failing
    // read or seek of the file throws to the caller.
    virtual BOOL Read(CFile* file);
    // FALSE when the file cannot be created, else the result of Write.
    virtual BOOL Save(const CString& path);
    // Writes the image as a BMP file; FALSE (nothing written) without an image.
    virtual BOOL Write(CFile* file);

    // The colour table (256 entries of room), null without a header.
    RGBQUAD* GetColorTable() const;
    BYTE* GetBits() const { return m_pBits; }
    // biWidth and biHeight; 0 without a header.
    int GetWidth() const;
    int GetHeight() const;
    // biClrUsed when not 0, else 2 to the power biBitCount (0xFFFFFFFF from
    // 32 bits on); 0 without a header.
    DWORD GetColorCount() const;
    CPalette* GetPalette() const { return m_pPalette; }
    // Replaces the palette with one built from the colour table for images
    // of 8 bits per pixel or fewer; whether a palette exists.
    BOOL BuildPalette();

protected:
    BITMAPINFO* m_pInfo;  // 1064 bytes: the info header and a 256-entry colour table
    BYTE* m_pBits;        // the pixel rows as stored in the file
    DWORD m_dwBitsSize;   // the bytes at m_pBits
    CPalette* m_pPalette;
    BOOL m_bLoaded;  // the pixel data came from a file, rows already padded

private:
    void FreeImage();
};
