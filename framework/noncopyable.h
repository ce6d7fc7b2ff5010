#pragma once

// Window wrappers and resource owners are bound to one handle; copying one
// would release or unbind the handle twice.
class CNoCopy {
protected:
    CNoCopy() = default;
    ~CNoCopy() = default;

public:
    CNoCopy(const CNoCopy&) = delete;
    CNoCopy& operator=(const CNoCopy&) = delete;
};
