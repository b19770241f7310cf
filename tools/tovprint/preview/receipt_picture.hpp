#pragma once
// A paper drawn as it will look: white paper, each character in its cell of a monospace font
// (DejaVu Sans Mono, from Debian's fonts-dejavu-core), bold cells in the bold face, and a dashed
// line where the printer cuts. A cell is 12 by 24 pixels, a printer's dots in its normal font, so
// a picture of 48 columns is 576 pixels of print between margins, as on 80 mm paper.

#include <string>

#include "printer/receipt_layout.hpp"

namespace tovprint {

enum class PictureFormat { Png, Svg, Pdf };

inline constexpr int cell_width = 12;
inline constexpr int cell_height = 24;
inline constexpr int paper_margin = 24;

struct PictureSize {
    int width;
    int height;
};

// Pixels; a PDF page is the same at the printer's 203 dots an inch.
PictureSize picture_size(const Receipt& receipt);

// The picture's file contents. Throws tov::Error when cairo fails.
std::string receipt_picture(const Receipt& receipt, PictureFormat format);

// cairo and fontconfig keep every font they opened for the life of the process. The owner of
// this object releases them when it ends; no picture may be drawn meanwhile, in any thread.
class PictureFonts {
public:
    PictureFonts() = default;
    ~PictureFonts();
    PictureFonts(const PictureFonts&) = delete;
    PictureFonts& operator=(const PictureFonts&) = delete;
};

}  // namespace tovprint
