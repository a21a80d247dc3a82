#include "tools/font_art.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_MODULE_H
#include FT_DRIVER_H

#include <cstdio>

#ifndef BRENNOLT_FONT_FOLDER
#define BRENNOLT_FONT_FOLDER "/usr/share/fonts/truetype/dejavu"
#endif

std::string monoFontPath() { return BRENNOLT_FONT_FOLDER "/DejaVuSansMono.ttf"; }
std::string sansFontPath() { return BRENNOLT_FONT_FOLDER "/DejaVuSans.ttf"; }
std::string boldFontPath() { return BRENNOLT_FONT_FOLDER "/DejaVuSans-Bold.ttf"; }

struct FontFace {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

FaceHandle openFace(const std::string& path, int pixelSize) {
    FaceHandle result(new FontFace);
    if (FT_Init_FreeType(&result->library) != 0) {
        std::fprintf(stderr, "make_art: FreeType could not start\n");
        return nullptr;
    }
    // The classic interpreter hints in both directions, which keeps stems on
    // whole pixels at the tiny sizes of the game's grids.
    FT_UInt interpreter = TT_INTERPRETER_VERSION_35;
    FT_Property_Set(result->library, "truetype", "interpreter-version", &interpreter);
    if (FT_New_Face(result->library, path.c_str(), 0, &result->face) != 0 ||
        FT_Set_Pixel_Sizes(result->face, 0, static_cast<FT_UInt>(pixelSize)) != 0) {
        std::fprintf(stderr, "make_art: cannot open the font %s\n", path.c_str());
        return nullptr;
    }
    return result;
}

void FaceCloser::operator()(FontFace* face) const {
    if (face->face != nullptr) FT_Done_Face(face->face);
    if (face->library != nullptr) FT_Done_FreeType(face->library);
    delete face;
}

GlyphBits renderGlyph(FontFace& face, char code) {
    GlyphBits glyph;
    if (FT_Load_Char(face.face, static_cast<unsigned char>(code),
                     FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0)
        return glyph;
    const FT_GlyphSlot slot = face.face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.height = static_cast<int>(bitmap.rows);
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    glyph.lit.resize(static_cast<size_t>(glyph.width) * glyph.height);
    for (int row = 0; row < glyph.height; ++row) {
        const unsigned char* bits = bitmap.buffer + row * bitmap.pitch;
        for (int column = 0; column < glyph.width; ++column)
            glyph.lit[static_cast<size_t>(row) * glyph.width + column] =
                (bits[column / 8] >> (7 - column % 8)) & 1;
    }
    return glyph;
}

static int tightAdvance(const GlyphBits& glyph) {
    return glyph.width > 0 ? glyph.width + 1 : glyph.advance;
}

int paintText(Canvas& canvas, FontFace& face, int x, int baseline, const std::string& text,
              Rgb colour, bool tight) {
    for (char code : text) {
        const GlyphBits glyph = renderGlyph(face, code);
        const int left = tight ? 0 : glyph.left;
        for (int row = 0; row < glyph.height; ++row)
            for (int column = 0; column < glyph.width; ++column)
                if (glyph.lit[static_cast<size_t>(row) * glyph.width + column])
                    setPixel(canvas, x + left + column, baseline - glyph.top + row, colour);
        x += tight ? tightAdvance(glyph) : glyph.advance;
    }
    return x;
}

int textWidth(FontFace& face, const std::string& text, bool tight) {
    int width = 0;
    for (char code : text) {
        const GlyphBits glyph = renderGlyph(face, code);
        width += tight ? tightAdvance(glyph) : glyph.advance;
    }
    return tight && width > 0 ? width - 1 : width;
}
