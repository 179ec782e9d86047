#include "core/IdleEnabler.h"

List<IdleEnabler> IdleEnabler::_enablers(0);

IdleEnabler::IdleEnabler(TWindow *window) : window_(window), list_(1) { _enablers.Append(this); }

IdleEnabler::IdleEnabler(IdleEnabler const &other) : ListElement(), window_(other.window_), list_(other.list_) {
    _enablers.Append(this);
}

IdleEnabler &IdleEnabler::operator=(IdleEnabler const &other) {
    window_ = other.window_;
    list_.Clear();
    list_.Append(other.list_, 0);
    return *this;
}

IdleEnabler::~IdleEnabler() { _enablers.Detach(this); }
