#include "IConnectWrapper.h"

IConnectWrapper* IConnectWrapper::CreateInstance() { return new IConnectWrapper(); }

void IConnectWrapper::Destroy(IConnectWrapper* wrapper) { delete wrapper; }
