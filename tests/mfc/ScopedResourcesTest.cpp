// The scoped resource classes: each destructor gives back what its constructor took, and each
// hand-over leaves the resource to the caller untouched.

#include "mfc.h"

#include <gtest/gtest.h>

#include <gdiplus.h>

#include <thread>

namespace {

// Each case acquires its resource in a scope, hands it over when bHandOver is set, and checks after
// the scope that the resource is gone (or back as it was) exactly when it was not handed over. A case
// cleans up by hand what it took over.
struct ScopedCase {
    const char* name;
    void (*run)(bool bHandOver);
};

bool IsOpenHandle(HANDLE handle) {
    DWORD dwFlags = 0;
    return ::GetHandleInformation(handle, &dwFlags) != FALSE;
}

void KernelHandle(bool bHandOver) {
    EXPECT_FALSE(CScopedKernelHandle().IsValid());
    EXPECT_FALSE(CScopedKernelHandle(nullptr).IsValid());

    HANDLE hEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    {
        CScopedKernelHandle handle(hEvent);
        EXPECT_TRUE(handle.IsValid());
        if (bHandOver) {
            EXPECT_EQ(handle.Detach(), hEvent);
            EXPECT_FALSE(handle.IsValid());
        }
    }
    EXPECT_EQ(IsOpenHandle(hEvent), bHandOver);
    if (bHandOver)
        ::CloseHandle(hEvent);

    // Attach closes the handle held before it.
    HANDLE hFirst = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE hSecond = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    {
        CScopedKernelHandle handle(hFirst);
        handle.Attach(hSecond);
        EXPECT_FALSE(IsOpenHandle(hFirst));
        EXPECT_EQ(handle.Get(), hSecond);
        if (bHandOver)
            handle.Detach();
    }
    EXPECT_EQ(IsOpenHandle(hSecond), bHandOver);
    if (bHandOver)
        ::CloseHandle(hSecond);
}

void SelectedObject(bool bHandOver) {
    HDC hDC = ::CreateCompatibleDC(nullptr);
    HPEN hPen = ::CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    HGDIOBJ hDefaultPen = ::GetCurrentObject(hDC, OBJ_PEN);
    {
        CScopedSelectObject nothing(hDC, nullptr);
        EXPECT_EQ(::GetCurrentObject(hDC, OBJ_PEN), hDefaultPen);
        if (bHandOver) {
            EXPECT_EQ(nothing.Detach(), nullptr);
        }
    }
    EXPECT_EQ(::GetCurrentObject(hDC, OBJ_PEN), hDefaultPen);
    {
        CScopedSelectObject select(hDC, hPen);
        EXPECT_EQ(::GetCurrentObject(hDC, OBJ_PEN), hPen);
        if (bHandOver) {
            EXPECT_EQ(select.Detach(), hDefaultPen);
        }
    }
    EXPECT_EQ(::GetCurrentObject(hDC, OBJ_PEN), bHandOver ? hPen : hDefaultPen);
    ::SelectObject(hDC, hDefaultPen);
    ::DeleteObject(hPen);
    ::DeleteDC(hDC);
}

void SavedDCState(bool bHandOver) {
    HDC hDC = ::CreateCompatibleDC(nullptr);
    const COLORREF clrDefault = ::GetTextColor(hDC);
    int nSavedDC = 0;
    {
        CScopedSaveDC save(hDC);
        ::SetTextColor(hDC, RGB(200, 0, 0));
        if (bHandOver)
            nSavedDC = save.Detach();
    }
    EXPECT_EQ(::GetTextColor(hDC), bHandOver ? RGB(200, 0, 0) : clrDefault);
    if (bHandOver) {
        EXPECT_TRUE(::RestoreDC(hDC, nSavedDC));
        EXPECT_EQ(::GetTextColor(hDC), clrDefault);
    }
    ::DeleteDC(hDC);
}

void MemoryDC(bool bHandOver) {
    HDC hDC = nullptr;
    HBITMAP hBitmap = nullptr;
    {
        CScopedMemDC dc(3, 2);
        ASSERT_TRUE(dc.IsValid());
        EXPECT_EQ(dc.GetWidth(), 3);
        EXPECT_EQ(dc.GetHeight(), 2);
        hDC = dc.GetSafeHdc();
        hBitmap = static_cast<HBITMAP>(::GetCurrentObject(hDC, OBJ_BITMAP));
        EXPECT_EQ(::GetObjectType(hBitmap), static_cast<DWORD>(OBJ_BITMAP));
        // Top-down 0x00RRGGBB: the pixel GDI puts at (2, 0) is the third value of the first row.
        dc.SetPixel(2, 0, RGB(0x12, 0x34, 0x56));
        ::GdiFlush();
        EXPECT_EQ(dc.GetBits()[2], 0x00123456u);
        EXPECT_EQ(dc.GetBits()[0], 0u);
        if (bHandOver) {
            EXPECT_EQ(dc.DetachBitmap(), hBitmap);
            EXPECT_NE(::GetCurrentObject(hDC, OBJ_BITMAP), hBitmap);
        }
    }
    EXPECT_EQ(::GetObjectType(hDC), 0u);
    EXPECT_EQ(::GetObjectType(hBitmap), bHandOver ? static_cast<DWORD>(OBJ_BITMAP) : 0u);
    if (bHandOver)
        ::DeleteObject(hBitmap);
}

// COM state is per thread, so each case runs on a fresh one. While a thread has a single-threaded
// apartment, asking for the multithreaded kind answers RPC_E_CHANGED_MODE; once COM is undone it
// succeeds.
HRESULT TryMultithreadedCom() {
    const HRESULT hr = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (SUCCEEDED(hr))
        ::CoUninitialize();
    return hr;
}

void ComStart(bool bHandOver) {
    std::thread([bHandOver] {
        {
            CScopedComInit com;
            EXPECT_EQ(com.GetResult(), S_OK);
            if (bHandOver) {
                EXPECT_TRUE(com.Detach());
            }
        }
        EXPECT_EQ(TryMultithreadedCom(), bHandOver ? RPC_E_CHANGED_MODE : S_OK);
        if (bHandOver)
            ::CoUninitialize();
    }).join();
}

// A start refused because the thread has the other apartment kind must not undo the thread's own.
void ComStartRefused(bool bHandOver) {
    std::thread([bHandOver] {
        ASSERT_EQ(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
        {
            CScopedComInit com(COINIT_MULTITHREADED);
            EXPECT_EQ(com.GetResult(), RPC_E_CHANGED_MODE);
            if (bHandOver) {
                EXPECT_FALSE(com.Detach());
            }
        }
        EXPECT_EQ(TryMultithreadedCom(), RPC_E_CHANGED_MODE);
        ::CoUninitialize();
    }).join();
}

// Wine's GdiplusShutdown keeps no state a test could read, so this case proves the start and the
// token that the hand-over gives.
void GdiPlusStart(bool bHandOver) {
    ULONG_PTR token = 0;
    {
        CScopedGdiPlus gdiplus;
        ASSERT_TRUE(gdiplus.IsStarted());
        Gdiplus::Bitmap bitmap(2, 2, PixelFormat32bppARGB);
        EXPECT_EQ(bitmap.GetLastStatus(), Gdiplus::Ok);
        if (bHandOver) {
            token = gdiplus.Detach();
            EXPECT_NE(token, 0u);
            EXPECT_FALSE(gdiplus.IsStarted());
            EXPECT_EQ(gdiplus.Detach(), 0u);
        }
    }
    if (bHandOver)
        Gdiplus::GdiplusShutdown(token);
}

const ScopedCase kScopedCases[] = {
    {"kernel handle", KernelHandle},  {"selected object", SelectedObject},
    {"saved DC state", SavedDCState}, {"memory DC", MemoryDC},
    {"COM start", ComStart},          {"COM start refused", ComStartRefused},
    {"GDI+ start", GdiPlusStart},
};

}  // namespace

TEST(ScopedResources, DestructorGivesBackAndHandOverLeavesTheResource) {
    for (const ScopedCase& c : kScopedCases) {
        for (const bool bHandOver : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (bHandOver ? ", handed over" : ", scoped"));
            c.run(bHandOver);
        }
    }
}

TEST(ScopedResources, MemoryDCOfAnEmptySizeHoldsNoDC) {
    const SIZE sizes[] = {{0, 4}, {4, 0}, {-3, 2}, {2, -3}};
    for (const SIZE& size : sizes) {
        CScopedMemDC dc(size.cx, size.cy);
        EXPECT_FALSE(dc.IsValid()) << size.cx << "x" << size.cy;
        EXPECT_EQ(dc.GetSafeHdc(), nullptr);
        EXPECT_EQ(dc.GetBits(), nullptr);
    }
}
