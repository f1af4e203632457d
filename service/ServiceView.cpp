#include "ServiceView.h"

#include <atomic>

namespace {

std::atomic<IServiceView*> installedView{nullptr};

}  // namespace

void SetServiceView(IServiceView* view) {
    installedView.store(view);
}

IServiceView* GetServiceView() {
    return installedView.load();
}

std::wstring CurrentOperatorName() {
    IServiceView* view = GetServiceView();
    return view ? view->OperatorName() : std::wstring();
}
