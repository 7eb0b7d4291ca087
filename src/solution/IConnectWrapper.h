#pragma once

// The family's connect wrapper, which the results-writing operations create and initialise.
// Reading a solution never creates one; a connection object only destroys the one it holds
// when its connection string changes, so nothing beyond creation and destruction lives here.
class IConnectWrapper {
public:
    static IConnectWrapper* CreateInstance();
    // Null is accepted.
    static void Destroy(IConnectWrapper* wrapper);

private:
    IConnectWrapper() = default;
    ~IConnectWrapper() = default;
};
