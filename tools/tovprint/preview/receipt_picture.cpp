#include "preview/receipt_picture.hpp"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <memory>

#include "platform/errors/errors.hpp"

namespace tovprint {
namespace {

constexpr const char* font_family = "DejaVu Sans Mono";
constexpr double font_size = 20;  // an advance of 12 pixels
constexpr double baseline = 19;   // from the top of a cell
constexpr double points_per_dot = 72.0 / 203.0;
constexpr double cut_dash = 6;

struct SurfaceRelease {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct ContextRelease {
    void operator()(cairo_t* context) const { cairo_destroy(context); }
};
struct FontOptionsRelease {
    void operator()(cairo_font_options_t* options) const { cairo_font_options_destroy(options); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceRelease>;
using Context = std::unique_ptr<cairo_t, ContextRelease>;

cairo_status_t append_bytes(void* closure, const unsigned char* data, unsigned int length) {
    try {
        static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
        return CAIRO_STATUS_SUCCESS;
    } catch (...) {
        return CAIRO_STATUS_NO_MEMORY;
    }
}

void check(cairo_status_t status, const char* doing) {
    if (status != CAIRO_STATUS_SUCCESS) {
        throw tov::Error(std::string("preview: cannot ") + doing + ": " +
                         cairo_status_to_string(status));
    }
}

// The same glyph shapes wherever the picture is drawn: no hinting from the user's settings.
void set_font(cairo_t* context) {
    const std::unique_ptr<cairo_font_options_t, FontOptionsRelease> options(
        cairo_font_options_create());
    cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options.get(), CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(context, options.get());
    cairo_set_font_size(context, font_size);
}

void draw_paper(cairo_t* context, PictureSize size) {
    cairo_set_source_rgb(context, 1, 1, 1);
    cairo_paint(context);
    cairo_set_source_rgb(context, 0.78, 0.78, 0.78);
    cairo_set_line_width(context, 1);
    cairo_rectangle(context, 0.5, 0.5, size.width - 1, size.height - 1);
    cairo_stroke(context);
    const double cut = size.height - paper_margin / 2.0 + 0.5;
    cairo_set_dash(context, &cut_dash, 1, 0);
    cairo_move_to(context, paper_margin / 2.0, cut);
    cairo_line_to(context, size.width - paper_margin / 2.0, cut);
    cairo_stroke(context);
    cairo_set_dash(context, nullptr, 0, 0);
}

void draw_text(cairo_t* context, const Receipt& receipt) {
    set_font(context);
    cairo_set_source_rgb(context, 0, 0, 0);
    bool bold = false;
    cairo_select_font_face(context, font_family, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    for (std::size_t row = 0; row < receipt.lines.size(); ++row) {
        const ReceiptLine& line = receipt.lines[row];
        for (std::size_t column = 0; column < line.size(); ++column) {
            if (line[column].character == " ") continue;
            if (line[column].bold != bold) {
                bold = line[column].bold;
                cairo_select_font_face(context, font_family, CAIRO_FONT_SLANT_NORMAL,
                                       bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
            }
            cairo_move_to(context, paper_margin + static_cast<double>(column) * cell_width,
                          paper_margin + static_cast<double>(row) * cell_height + baseline);
            cairo_show_text(context, line[column].character.c_str());
        }
    }
}

void draw(cairo_surface_t* surface, const Receipt& receipt, double scale) {
    const Context context(cairo_create(surface));
    cairo_scale(context.get(), scale, scale);
    draw_paper(context.get(), picture_size(receipt));
    draw_text(context.get(), receipt);
    check(cairo_status(context.get()), "draw the receipt");
}

Surface vector_surface(PictureFormat format, std::string& bytes, PictureSize size, double scale) {
    const double width = size.width * scale;
    const double height = size.height * scale;
    if (format == PictureFormat::Svg) {
        return Surface(cairo_svg_surface_create_for_stream(append_bytes, &bytes, width, height));
    }
    return Surface(cairo_pdf_surface_create_for_stream(append_bytes, &bytes, width, height));
}

}  // namespace

PictureSize picture_size(const Receipt& receipt) {
    return {receipt.columns * cell_width + 2 * paper_margin,
            static_cast<int>(receipt.lines.size()) * cell_height + 2 * paper_margin};
}

std::string receipt_picture(const Receipt& receipt, PictureFormat format) {
    const PictureSize size = picture_size(receipt);
    std::string bytes;
    if (format == PictureFormat::Png) {
        const Surface surface(
            cairo_image_surface_create(CAIRO_FORMAT_RGB24, size.width, size.height));
        check(cairo_surface_status(surface.get()), "create the picture");
        draw(surface.get(), receipt, 1);
        check(cairo_surface_write_to_png_stream(surface.get(), append_bytes, &bytes), "write PNG");
        return bytes;
    }
    const double scale = format == PictureFormat::Pdf ? points_per_dot : 1;
    const Surface surface = vector_surface(format, bytes, size, scale);
    check(cairo_surface_status(surface.get()), "create the picture");
    draw(surface.get(), receipt, scale);
    cairo_surface_finish(surface.get());
    check(cairo_surface_status(surface.get()), "write the picture");
    return bytes;
}

PictureFonts::~PictureFonts() {
    cairo_debug_reset_static_data();
    FcFini();
}

}  // namespace tovprint
