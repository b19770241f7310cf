// png_match ACTUAL EXPECTED [WIDTHxHEIGHT]: whether a picture tovprint drew matches the stored
// one. The sizes must be equal (and equal to WIDTHxHEIGHT, if given). Then the pictures are
// compared cell by cell (12 by 24 pixels, the preview's character cells) for what a person sees
// in a receipt, not for exact pixels, which another version of the font or of its rasteriser may
// shift:
//   - shape: a pixel inked in one picture must have an inked pixel at most one pixel away in the
//     other; a missing or extra accent, a different character or a line out of place leaves
//     several pixels unexplained, an edge drawn a pixel aside none;
//   - weight: the ink of a cell may not grow by more than a third from one picture to the other,
//     which a bold character against a normal one does (by 40 % to 60 %).
// Exit status 0 when they match, 1 when they do not, 2 when a picture cannot be read.
#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int cell_width = 12;
constexpr int cell_height = 24;
constexpr double inked = 0.6;        // a pixel that is ink
constexpr double touched = 0.3;      // a pixel that explains ink beside it
constexpr int most_unexplained = 2;  // pixels a cell may leave unexplained
constexpr double least_ink = 8;      // a cell with less ink (in pixels) is not weighed
constexpr double most_weight = 1.3;  // the ratio of the inks of a cell

struct SurfaceRelease {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceRelease>;

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<double> ink;  // 0 white to 1 black

    double at(int x, int y) const {
        if (x < 0 || y < 0 || x >= width || y >= height) return 0;
        return ink[static_cast<std::size_t>(y) * width + x];
    }

    bool touched_near(int x, int y) const {
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                if (at(x + dx, y + dy) > touched) return true;
            }
        }
        return false;
    }
};

double pixel_ink(std::uint32_t pixel) {
    const double red = (pixel >> 16) & 0xFF, green = (pixel >> 8) & 0xFF, blue = pixel & 0xFF;
    return 1.0 - (0.299 * red + 0.587 * green + 0.114 * blue) / 255.0;
}

bool read_picture(const char* file, Picture& picture) {
    const Surface png(cairo_image_surface_create_from_png(file));
    if (cairo_surface_status(png.get()) != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "png_match: cannot read %s: %s\n", file,
                     cairo_status_to_string(cairo_surface_status(png.get())));
        return false;
    }
    // Drawn again on white in one known format, whatever the file's.
    picture.width = cairo_image_surface_get_width(png.get());
    picture.height = cairo_image_surface_get_height(png.get());
    const Surface rgb(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, picture.width, picture.height));
    cairo_t* context = cairo_create(rgb.get());
    cairo_set_source_rgb(context, 1, 1, 1);
    cairo_paint(context);
    cairo_set_source_surface(context, png.get(), 0, 0);
    cairo_paint(context);
    cairo_destroy(context);
    cairo_surface_flush(rgb.get());
    const unsigned char* data = cairo_image_surface_get_data(rgb.get());
    const int stride = cairo_image_surface_get_stride(rgb.get());
    picture.ink.resize(static_cast<std::size_t>(picture.width) * picture.height);
    for (int y = 0; y < picture.height; ++y) {
        const auto* row =
            reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < picture.width; ++x) {
            picture.ink[static_cast<std::size_t>(y) * picture.width + x] = pixel_ink(row[x]);
        }
    }
    return true;
}

struct CellDifference {
    int unexplained = 0;
    double weight = 1;  // the larger ink over the smaller
};

CellDifference compare_cell(const Picture& actual, const Picture& expected, int left, int top) {
    CellDifference difference;
    double actual_ink = 0, expected_ink = 0;
    for (int y = top; y < std::min(top + cell_height, actual.height); ++y) {
        for (int x = left; x < std::min(left + cell_width, actual.width); ++x) {
            actual_ink += actual.at(x, y);
            expected_ink += expected.at(x, y);
            if (actual.at(x, y) > inked && !expected.touched_near(x, y)) ++difference.unexplained;
            if (expected.at(x, y) > inked && !actual.touched_near(x, y)) ++difference.unexplained;
        }
    }
    if (std::max(actual_ink, expected_ink) >= least_ink) {
        difference.weight =
            std::max(actual_ink, expected_ink) / std::max(std::min(actual_ink, expected_ink), 1.0);
    }
    return difference;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: png_match ACTUAL EXPECTED [WIDTHxHEIGHT]\n");
        return 2;
    }
    Picture actual, expected;
    if (!read_picture(argv[1], actual) || !read_picture(argv[2], expected)) return 2;
    const std::string size = std::to_string(actual.width) + "x" + std::to_string(actual.height);
    if (actual.width != expected.width || actual.height != expected.height ||
        (argc == 4 && size != argv[3])) {
        std::printf("%s is %s pixels; %s is %dx%d%s%s\n", argv[1], size.c_str(), argv[2],
                    expected.width, expected.height, argc == 4 ? ", expected " : "",
                    argc == 4 ? argv[3] : "");
        return 1;
    }
    int failing = 0;
    CellDifference worst;
    for (int top = 0; top < actual.height; top += cell_height) {
        for (int left = 0; left < actual.width; left += cell_width) {
            const CellDifference cell = compare_cell(actual, expected, left, top);
            worst.unexplained = std::max(worst.unexplained, cell.unexplained);
            worst.weight = std::max(worst.weight, cell.weight);
            if (cell.unexplained <= most_unexplained && cell.weight <= most_weight) continue;
            if (++failing <= 10) {
                std::printf(
                    "cell at pixel (%d, %d): %d pixels of shape unexplained, ink %.2f "
                    "times the other's\n",
                    left, top, cell.unexplained, cell.weight);
            }
        }
    }
    std::printf(
        "%s against %s: %d cells differ; at worst %d pixels of shape unexplained (at most "
        "%d pass), ink %.2f times the other's (at most %.2f passes)\n",
        argv[1], argv[2], failing, worst.unexplained, most_unexplained, worst.weight, most_weight);
    return failing == 0 ? 0 : 1;
}
