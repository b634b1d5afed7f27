// CDrawable: anything of limn that draws itself into a rectangle of a canvas (pictures,
// their elements, the frames of containers). It has a natural size, its extent, and two
// settings that drawing may honour: a colour that replaces its own colours and a
// transparent background.
#pragma once

#include "limn/limn_api.h"

class CCanvas;

class LIMN_API CDrawable
{
public:
    CDrawable();
    CDrawable(const CDrawable& other);
    CDrawable& operator=(const CDrawable& other);

// Drawing
    // Draws src, in the drawable's own coordinates, into dst on the canvas.
    virtual void Draw(CCanvas& canvas, const CRect& src, const CRect& dst) const = 0;
    // The whole drawable into dst.
    void Draw(CCanvas& canvas, const CRect& dst) const;
    // The whole drawable centred in rect, shrunk to fit with its aspect kept, never
    // enlarged. Nothing happens for a drawable of no height.
    void DrawKeepingAspect(CCanvas& canvas, const CRect& rect) const;

// Content and settings
    // Whether the other drawable has the same content; FALSE here.
    virtual BOOL IsSameAs(CDrawable* pOther);
    // Sets the colour; OnColorChange follows when it was not set or differed.
    virtual void SetColor(COLORREF color);
    // Forgets the colour; OnColorChange follows when one was set.
    virtual void SetDefaultColor();
    virtual void SetTransparentBackground(BOOL bTransparent);

protected:
    // The effective colour changed; nothing here.
    virtual void OnColorChange();

public:
    virtual ~CDrawable() = default;

// Attributes
    CSize GetExtent() const { return m_extent; }
    BOOL IsColorSet() const { return m_bUseColor; }
    COLORREF GetColor() const { return m_color; }
    BOOL IsTransparentBackground() const { return m_bTransparent; }

    // Writes or reads the extent as two 32-bit values.
    void Serialize(CArchive& ar);

protected:
    BOOL m_bUseColor;
    BOOL m_bTransparent;
    COLORREF m_color;           // counts only while m_bUseColor is set
    CSize m_extent;
};
