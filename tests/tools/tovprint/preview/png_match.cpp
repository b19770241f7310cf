// png_match ACTUAL EXPECTED [WIDTHxHEIGHT]: whether a picture tovprint drew matches the stored
// one. The sizes must be equal (and equal to WIDTHxHEIGHT, if given). The pictures are compared
// as ink, blurred over 5 by 5 pixels, so that a glyph edge drawn a pixel aside by another version
// of the font or of its rasteriser passes, while a missing or different character, an accent, a
// bold span or a line out of place does not. Exit status 0 when they match, 1 when they do not,
// 2 when a picture cannot be read.
#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int blur_radius = 2;
constexpr double most_difference = 0.3;  // of full ink, after blurring
constexpr int cell_width = 12;           // to name the place of a difference
constexpr int cell_height = 24;
constexpr int margin = 24;

struct SurfaceRelease {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceRelease>;

struct Ink {
    int width = 0;
    int height = 0;
    std::vector<double> summed;  // (width + 1) x (height + 1) sums of ink from the top left

    double at_sum(int x, int y) const {
        return summed[static_cast<std::size_t>(y) * (width + 1) + x];
    }

    // The mean ink of the square around (x, y), clipped to the picture.
    double blurred(int x, int y) const {
        const int left = std::max(0, x - blur_radius), right = std::min(width, x + blur_radius + 1);
        const int top = std::max(0, y - blur_radius),
                  bottom = std::min(height, y + blur_radius + 1);
        const double sum =
            at_sum(right, bottom) - at_sum(left, bottom) - at_sum(right, top) + at_sum(left, top);
        return sum / ((right - left) * (bottom - top));
    }
};

double pixel_ink(const unsigned char* row, int x) {
    const auto pixel = reinterpret_cast<const std::uint32_t*>(row)[x];
    const double red = (pixel >> 16) & 0xFF, green = (pixel >> 8) & 0xFF, blue = pixel & 0xFF;
    return 1.0 - (0.299 * red + 0.587 * green + 0.114 * blue) / 255.0;
}

bool read_ink(const char* file, Ink& ink) {
    const Surface png(cairo_image_surface_create_from_png(file));
    if (cairo_surface_status(png.get()) != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "png_match: cannot read %s: %s\n", file,
                     cairo_status_to_string(cairo_surface_status(png.get())));
        return false;
    }
    // Drawn again in one known format, whatever the file's.
    ink.width = cairo_image_surface_get_width(png.get());
    ink.height = cairo_image_surface_get_height(png.get());
    const Surface rgb(cairo_image_surface_create(CAIRO_FORMAT_RGB24, ink.width, ink.height));
    cairo_t* context = cairo_create(rgb.get());
    cairo_set_source_rgb(context, 1, 1, 1);
    cairo_paint(context);
    cairo_set_source_surface(context, png.get(), 0, 0);
    cairo_paint(context);
    cairo_destroy(context);
    cairo_surface_flush(rgb.get());
    const unsigned char* data = cairo_image_surface_get_data(rgb.get());
    const int stride = cairo_image_surface_get_stride(rgb.get());
    ink.summed.assign(static_cast<std::size_t>(ink.width + 1) * (ink.height + 1), 0);
    for (int y = 0; y < ink.height; ++y) {
        double row_sum = 0;
        for (int x = 0; x < ink.width; ++x) {
            row_sum += pixel_ink(data + static_cast<std::ptrdiff_t>(y) * stride, x);
            ink.summed[static_cast<std::size_t>(y + 1) * (ink.width + 1) + x + 1] =
                ink.at_sum(x + 1, y) + row_sum;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: png_match ACTUAL EXPECTED [WIDTHxHEIGHT]\n");
        return 2;
    }
    Ink actual, expected;
    if (!read_ink(argv[1], actual) || !read_ink(argv[2], expected)) return 2;
    if (actual.width != expected.width || actual.height != expected.height) {
        std::printf("%s is %dx%d pixels, %s %dx%d\n", argv[1], actual.width, actual.height, argv[2],
                    expected.width, expected.height);
        return 1;
    }
    if (argc == 4 &&
        std::to_string(actual.width) + "x" + std::to_string(actual.height) != argv[3]) {
        std::printf("%s is %dx%d pixels, not %s\n", argv[1], actual.width, actual.height, argv[3]);
        return 1;
    }
    double worst = 0;
    int worst_x = 0, worst_y = 0;
    for (int y = 0; y < actual.height; ++y) {
        for (int x = 0; x < actual.width; ++x) {
            const double difference = std::fabs(actual.blurred(x, y) - expected.blurred(x, y));
            if (difference > worst) {
                worst = difference;
                worst_x = x;
                worst_y = y;
            }
        }
    }
    std::printf(
        "%s against %s: largest difference %.3f of full ink at pixel (%d, %d), column %d "
        "of line %d (at most %.3f passes)\n",
        argv[1], argv[2], worst, worst_x, worst_y, (worst_x - margin) / cell_width + 1,
        (worst_y - margin) / cell_height + 1, most_difference);
    return worst <= most_difference ? 0 : 1;
}
