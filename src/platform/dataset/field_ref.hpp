#pragma once
// A field of a client dataset, read on the dataset's current row at the moment of the call,
// with the reading rules of the class library's field classes:
// - text fields give their text as stored; read as a number they go through StrToFloat
//   (tov::ConversionError naming the field and the text when it is none);
// - numbers read as text use the shortest general form with the regional decimal separator
//   (single-precision fields 7 digits), integers are plain decimals, decimals (BCD) their exact
//   digits;
// - dates, times and timestamps read as date-times are days since 1899-12-30; as text they take
//   the regional date, time or date-and-time form;
// - Booleans read as text are "True" / "False";
// - NULL, and any field when the view has no current row, reads as "", 0, false, 0.0 and a
//   NULL variant.
// A conversion the field class does not offer (a Boolean as a number, a number as a date)
// raises tov::ConversionError naming the field.
//
// The reference stays usable while the dataset lives; after the dataset is given other data
// it finds its field again by name (tov::FieldNotFound when the new data lacks it).

#include <cstdint>
#include <optional>
#include <string>

#include "platform/dataset/field_variant.hpp"
#include "platform/dataset/packet.hpp"

namespace tov::dataset {

class ClientDataSet;

class FieldRef {
public:
    FieldRef(const ClientDataSet& dataset, int field_number);

    const std::string& FieldName() const;
    const Field& Definition() const;

    bool IsNull() const;
    std::string AsString() const;
    double AsFloat() const;
    int64_t AsInteger() const;
    double AsDateTime() const;
    bool AsBoolean() const;
    Variant AsVariant() const;

private:
    int number() const;
    std::optional<Value> current() const;  // nothing when there is no current row

    const ClientDataSet* dataset_;
    int field_number_;
    uint64_t generation_;
    std::string name_;
};

}  // namespace tov::dataset
