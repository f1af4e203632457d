// BoardDevice.cpp - backend selection and the device RAII wrapper.
#include "BoardDevice.h"

#include "DefaultBoardDevices.h"

namespace {
CBoardDeviceBackend* g_installed = nullptr;
}

CBoardDeviceBackend& BoardDevices() {
    return g_installed ? *g_installed : DefaultBoardDevices();
}

void SetBoardDevices(CBoardDeviceBackend* backend) {
    g_installed = backend;
}

CBoardDevice::CBoardDevice(int board) : m_backend(BoardDevices()), m_handle(m_backend.Open(board)) {}

CBoardDevice::~CBoardDevice() {
    if (IsOpen())
        m_backend.Close(m_handle);
}
