#pragma once
#include "TkMarkupObject.h"

#include <gtest/gtest.h>

// The base of every markup test: no markup object may outlive the test that made it.
class MarkupTest : public testing::Test {
protected:
    void SetUp() override { m_nLiveAtStart = CTkMarkupObject::GetLiveObjectCount(); }
    void TearDown() override {
        EXPECT_EQ(m_nLiveAtStart, CTkMarkupObject::GetLiveObjectCount()) << "markup objects outlived the test";
    }

private:
    LONG m_nLiveAtStart = 0;
};

// The text of a markup error raised by f ("" when none was raised).
template <class F>
CString MarkupErrorOf(F f) {
    try {
        f();
    } catch (CException* pException) {
        WCHAR szMessage[512] = {};
        pException->GetErrorMessage(szMessage, 512);
        pException->Delete();
        return szMessage;
    }
    return CString();
}

// Whether f raises any exception of the layer (deleted here).
template <class F>
bool Raises(F f) {
    try {
        f();
    } catch (CException* pException) {
        pException->Delete();
        return true;
    }
    return false;
}
