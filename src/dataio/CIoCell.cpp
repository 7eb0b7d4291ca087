#include "CIoCell.h"

#include "CIoBitCell.h"
#include "CIoDateCell.h"
#include "CIoDoubleCell.h"
#include "CIoFloatCell.h"
#include "CIoLongCell.h"
#include "CIoShortCell.h"
#include "CIoStrCell.h"
#include "CIoTimeCell.h"
#include "CIoTimeStampCell.h"
#include "CIoTinyIntCell.h"

CIoCell::CIoCell(int32_t firstPosition, bool firstOption, bool secondOption)
    : m_flags(kCellMadeFlag | (firstOption ? kCellFirstOptionFlag : 0u) |
              (secondOption ? kCellSecondOptionFlag : 0u)),
      m_positions{firstPosition, -1, -1} {}

std::string CIoCell::AsString() const { return kNoValueText; }
const char* CIoCell::AsText() const { return kNoValueText; }
double CIoCell::AsDouble() const { return kNoValueDouble; }
int CIoCell::AsInteger() const { return 0; }
long CIoCell::AsLong() const { return kNoValueInteger; }
void CIoCell::SetText(const char*) {}
void CIoCell::SetNumber(double) {}
void CIoCell::SetDateTime(const IoDateTime&) {}
char CIoCell::GetBit() const { return kNoValueChar; }
char CIoCell::GetTinyInt() const { return kNoValueChar; }
std::string CIoCell::GetString() const { return kNoValueText; }
int16_t CIoCell::GetShort() const { return kNoValueInteger; }
int32_t CIoCell::GetLong() const { return kNoValueInteger; }
float CIoCell::GetFloat() const { return kNoValueFloat; }
double CIoCell::GetDouble() const { return kNoValueDouble; }
void CIoCell::GetDateTime(IoDateTime&) const {}
IoDateTime CIoCell::GetDateTimeValue() const { return IoDateTime{0.0, kIoDateTimeValid}; }

namespace {

std::unique_ptr<CIoCell> makeCellOfType(int sqlType) {
    switch (sqlType) {
        case -7:
            return std::make_unique<CIoBitCell>();
        case -6:
            return std::make_unique<CIoTinyIntCell>();
        case 5:
            return std::make_unique<CIoShortCell>();
        case 4:
            return std::make_unique<CIoLongCell>();
        case 7:
            return std::make_unique<CIoFloatCell>();
        case 2:
        case 3:
        case 6:
        case 8:
            return std::make_unique<CIoDoubleCell>();
        case 9:
            return std::make_unique<CIoDateCell>(IoDateTime{0.0, kIoDateTimeInvalid});
        case 10:
            return std::make_unique<CIoTimeCell>(IoDateTime{0.0, kIoDateTimeInvalid});
        case 11:
            return std::make_unique<CIoTimeStampCell>(IoDateTime{0.0, kIoDateTimeInvalid});
        default:
            return std::make_unique<CIoStrCell>();
    }
}

}  // namespace

std::unique_ptr<CIoCell> makeEmptyCell(int sqlType) {
    std::unique_ptr<CIoCell> cell = makeCellOfType(sqlType);
    cell->SetNull(true);
    return cell;
}
