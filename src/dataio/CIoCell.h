#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "IoDateTime.h"

// The layer's "no value" markers: what a cell answers for a kind of value it does not hold.
inline constexpr char kNoValueChar = '!';
inline constexpr const char* kNoValueText = "!";
inline constexpr int kNoValueInteger = -999;
inline constexpr double kNoValueDouble = -999.99;
inline constexpr float kNoValueFloat = -999.0f;

inline constexpr uint32_t kCellMadeFlag = 0x100;
inline constexpr uint32_t kCellFirstOptionFlag = 0x10;
inline constexpr uint32_t kCellSecondOptionFlag = 0x20;

// One typed value read from a table. The base answers "no value" for every kind; each concrete
// cell overrides the operations of the kinds it holds. A cell made from a NULL is "null": it
// holds its type's zero value and its text forms are empty.
class CIoCell {
public:
    explicit CIoCell(int32_t firstPosition = -1, bool firstOption = false,
                     bool secondOption = false);
    virtual ~CIoCell() = default;
    CIoCell(const CIoCell&) = delete;
    CIoCell& operator=(const CIoCell&) = delete;

    virtual int SqlType() const = 0;
    virtual std::string AsString() const;
    // Numeric and date cells format into a buffer shared by their class: the text stays valid
    // until the next cell of the same class formats.
    virtual const char* AsText() const;
    virtual double AsDouble() const;
    virtual int AsInteger() const;
    virtual long AsLong() const;
    virtual void SetText(const char* text);
    virtual void SetNumber(double value);
    virtual void SetDateTime(const IoDateTime& value);
    virtual char GetBit() const;
    virtual char GetTinyInt() const;
    virtual std::string GetString() const;
    virtual int16_t GetShort() const;
    virtual int32_t GetLong() const;
    virtual float GetFloat() const;
    virtual double GetDouble() const;
    virtual void GetDateTime(IoDateTime& out) const;
    virtual IoDateTime GetDateTimeValue() const;

    uint32_t Flags() const { return m_flags; }
    void SetFlags(uint32_t flags) { m_flags = flags; }
    int32_t Position(int which) const { return m_positions[which]; }
    void SetPosition(int which, int32_t position) { m_positions[which] = position; }
    const std::string& Text() const { return m_text; }
    void SetAttachedText(std::string text) { m_text = std::move(text); }
    bool IsNull() const { return m_isNull; }
    void SetNull(bool isNull) { m_isNull = isNull; }

private:
    uint32_t m_flags;
    int32_t m_positions[3];
    std::string m_text;
    bool m_isNull = false;
};

// An empty (null) cell of the class that belongs to an ODBC type code: -7 bit, -6 tiny int,
// 5 short, 4 long, 7 float, 6/8/2/3 double, 9 date, 10 time, 11 time stamp, text otherwise.
std::unique_ptr<CIoCell> makeEmptyCell(int sqlType);
