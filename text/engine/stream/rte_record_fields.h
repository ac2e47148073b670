// One description of each record's fields serves both directions: a field list is a template
// over a visitor that either writes the fields into a body or reads them back, gated by the
// version of the stream being read (a writer writes every field of the current version).
#pragma once

#include <cstring>

#include "rte_record_codec.h"
#include "rte_record_stream.h"
#include "rte_style_records.h"

// The compound fields, made of the visitor's shorts and longs.
template <class Visitor>
class RteCompoundFields {
public:
    void Colour(RteColor& colour, int16_t& spare)
    {
        Self().S(colour.red);
        Self().S(colour.green);
        Self().S(colour.blue);
        Self().S(spare);
    }
    void Rect(RteRect& r)
    {
        Self().L(r.top);
        Self().L(r.left);
        Self().L(r.bottom);
        Self().L(r.right);
    }
    void Pair(RtePoint& p)
    {
        Self().L(p.v);
        Self().L(p.h);
    }

private:
    Visitor& Self() { return static_cast<Visitor&>(*this); }
};

class RteFieldWriter : public RteCompoundFields<RteFieldWriter> {
public:
    explicit RteFieldWriter(RteBodyWriter& body) : body_(body) {}
    static constexpr bool reading = false;
    bool Has(int32_t) const { return true; }
    bool More() const { return true; }
    template <class T>
    void S(T& field) { body_.Short(static_cast<int32_t>(field)); }
    template <class T>
    void L(T& field) { body_.Long(static_cast<int32_t>(field)); }
    template <class T>
    void RefL(T& field) { L(field); }
    void Skip() {}
    void Bytes(void* field, size_t size, size_t used) { body_.Bytes(field, used < size ? used : size); }

private:
    RteBodyWriter& body_;
};

class RteFieldReader : public RteCompoundFields<RteFieldReader> {
public:
    static constexpr int32_t kReferenceBytesVersion = 0x1000B;
    RteFieldReader(RteBodyReader& body, int32_t version) : body_(body), version_(version) {}
    static constexpr bool reading = true;
    bool Has(int32_t version) const { return version_ >= version; }
    bool More() const { return body_.MoreValues(); }
    template <class T>
    void S(T& field) { field = static_cast<T>(body_.Short()); }
    template <class T>
    void L(T& field) { field = static_cast<T>(body_.Long()); }
    // Version 0x1000B alone wrote the fields that held references (a style's object, the
    // matching fields of formats, fonts and tabs, a block's fifth layout value) as 4-byte
    // strings of the value's bytes.
    template <class T>
    void RefL(T& field)
    {
        if (version_ != kReferenceBytesVersion) {
            L(field);
            return;
        }
        uint8_t bytes[4] = {};
        body_.BytesInto(bytes, sizeof bytes);
        int32_t value = bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<int32_t>(static_cast<uint32_t>(bytes[3]) << 24);
        field = static_cast<T>(value);
    }
    void Skip() { body_.Long(); }
    // The item is clamped to the field, which is cleared first.
    void Bytes(void* field, size_t size, size_t) { body_.BytesInto(field, size); }
    int32_t version() const { return version_; }

private:
    RteBodyReader& body_;
    int32_t version_;
};
