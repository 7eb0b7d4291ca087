#pragma once

#include "ILoomConnection.h"

// The modelling server reached over the session bus, which is first contacted by Connect.
// Each object it hands out releases its server-side twin when destroyed.
class LoomBusConnector : public ILoomConnector {
public:
    std::unique_ptr<ILoomConnection> Connect() override;
};
