#include "TableBackendFactory.h"

#include "CAdoTbl.h"
#include "CDbfTbl.h"
#include "CMfcOdbcTbl.h"
#include "CODBCTbl.h"
#include "CWksTbl.h"
#include "SourceKind.h"

std::unique_ptr<CBaseTbl> makeTableBackend(int kind, const TableOptions& options) {
    switch (kind) {
        case kSourceSpreadsheet:
            return std::make_unique<CWksTbl>(options);
        case kSourcePlainOdbc:
            return std::make_unique<CODBCTbl>(options);
        case kSourceDbf:
            return std::make_unique<CDbfTbl>(options);
        case kSourceMfcOdbc:
            return std::make_unique<CMfcOdbcTbl>(options);
        case kSourceAdo:
            return std::make_unique<CAdoTbl>(options);
        default:
            return nullptr;
    }
}
