/* Prints the layout of every structure of tov00000.h as the C compiler lays it out, one line per
 * member ("struct index offset size") and one per structure ("struct size SIZE"), for the
 * bindings' declarations test to compare with the Pascal records and the ctypes structures. */
#include <stddef.h>
#include <stdio.h>

#include "tov00000/tov00000.h"

#define MEMBER(type, index, member) \
    printf("%s %d %zu %zu\n", #type, index, offsetof(type, member), sizeof(((type*)0)->member))
#define SIZE(type) printf("%s size %zu\n", #type, sizeof(type))

int main(void) {
    MEMBER(tov_variant, 0, type);
    MEMBER(tov_variant, 1, boolean);
    MEMBER(tov_variant, 2, integer);
    MEMBER(tov_variant, 3, number);
    MEMBER(tov_variant, 4, data);
    MEMBER(tov_variant, 5, size);
    SIZE(tov_variant);
    MEMBER(tov_format_settings, 0, struct_size);
    MEMBER(tov_format_settings, 1, DecimalSeparator);
    MEMBER(tov_format_settings, 2, ThousandSeparator);
    MEMBER(tov_format_settings, 3, ShortDateFormat);
    MEMBER(tov_format_settings, 4, CurrencyString);
    MEMBER(tov_format_settings, 5, CurrencyFormat);
    MEMBER(tov_format_settings, 6, NegCurrFormat);
    MEMBER(tov_format_settings, 7, CurrencyDecimals);
    SIZE(tov_format_settings);
    MEMBER(tov_unit_entry, 0, unit);
    MEMBER(tov_unit_entry, 1, has_start);
    MEMBER(tov_unit_entry, 2, has_stop);
    SIZE(tov_unit_entry);
    MEMBER(tov_package_info, 0, flags);
    MEMBER(tov_package_info, 1, required_count);
    MEMBER(tov_package_info, 2, required);
    MEMBER(tov_package_info, 3, contains_count);
    MEMBER(tov_package_info, 4, contains);
    MEMBER(tov_package_info, 5, unit_count);
    MEMBER(tov_package_info, 6, units);
    SIZE(tov_package_info);
    /* The two tables are their size, a context pointer and function pointers; the order of the
     * function pointers is compared by name from the header. */
    MEMBER(tov_backend, 0, struct_size);
    MEMBER(tov_backend, 1, ctx);
    SIZE(tov_backend);
    MEMBER(tov_host, 0, struct_size);
    MEMBER(tov_host, 1, ctx);
    SIZE(tov_host);
    return 0;
}
