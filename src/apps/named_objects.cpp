// Named events and mutexes in the global kernel namespace, open to every
// user, and the mutex that tells whether an application already runs.
#include "krapps.h"

#include "apps/message_box.h"
#include "support/memory.h"

namespace {

constexpr size_t kNameChars = MAX_PATH;
const char kGlobalPrefix[] = "Global\\";

// The global namespace exists from major version 5 on.
bool UseGlobalPrefix()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExA(&version) && version.dwMajorVersion >= 5;
}

template <typename Char>
size_t Length(const Char *text)
{
    size_t n = 0;
    while (text[n])
        ++n;
    return n;
}

// The object's name, prefixed, in a buffer of its own; empty for a null
// name. Failed() when the name does not fit or memory ran out.
template <typename Char>
class ObjectName {
public:
    explicit ObjectName(const Char *name)
    {
        if (!name)
            return;
        const size_t prefix = UseGlobalPrefix() ? sizeof kGlobalPrefix - 1 : 0;
        const size_t length = Length(name);
        if (prefix + length >= kNameChars) {
            SetLastError(ERROR_FILENAME_EXCED_RANGE);
            failed_ = true;
            return;
        }
        text_ = static_cast<Char *>(kr::MemAlloc(kNameChars * sizeof(Char)));
        if (!text_) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            failed_ = true;
            return;
        }
        for (size_t i = 0; i < prefix; ++i)
            text_[i] = static_cast<Char>(kGlobalPrefix[i]);
        for (size_t i = 0; i <= length; ++i)
            text_[prefix + i] = name[i];
    }
    ~ObjectName() { kr::MemFree(text_); }
    ObjectName(const ObjectName &) = delete;
    ObjectName &operator=(const ObjectName &) = delete;

    bool Failed() const { return failed_; }
    const Char *Text() const { return text_; }

private:
    Char *text_ = nullptr;
    bool failed_ = false;
};

// Security attributes with a null DACL, for the duration of one call.
class OpenToEveryone {
public:
    OpenToEveryone()
    {
        descriptor_ = kr::MemLocalAlloc(LPTR, SECURITY_DESCRIPTOR_MIN_LENGTH);
        attributes_ = static_cast<SECURITY_ATTRIBUTES *>(kr::MemLocalAlloc(LPTR, sizeof(SECURITY_ATTRIBUTES)));
        if (!descriptor_ || !attributes_ || !InitializeSecurityDescriptor(descriptor_, SECURITY_DESCRIPTOR_REVISION) ||
            !SetSecurityDescriptorDacl(descriptor_, TRUE, nullptr, FALSE))
            return;
        attributes_->nLength = sizeof(SECURITY_ATTRIBUTES);
        attributes_->lpSecurityDescriptor = descriptor_;
        attributes_->bInheritHandle = FALSE;
        made_ = true;
    }
    ~OpenToEveryone()
    {
        kr::MemLocalFree(attributes_);
        kr::MemLocalFree(descriptor_);
    }
    OpenToEveryone(const OpenToEveryone &) = delete;
    OpenToEveryone &operator=(const OpenToEveryone &) = delete;

    SECURITY_ATTRIBUTES *Get() const { return made_ ? attributes_ : nullptr; }

private:
    HLOCAL descriptor_ = nullptr;
    SECURITY_ATTRIBUTES *attributes_ = nullptr;
    bool made_ = false;
};

template <typename Char, typename CreateCall>
HANDLE CreateNamed(SECURITY_ATTRIBUTES *sa, const Char *name, CreateCall create)
{
    const ObjectName<Char> objectName(name);
    if (objectName.Failed())
        return nullptr;
    if (sa)
        return create(sa, objectName.Text());
    const OpenToEveryone everyone;
    if (!everyone.Get())
        return nullptr;
    return create(everyone.Get(), objectName.Text());
}

template <typename Char, typename OpenCall>
HANDLE OpenNamed(const Char *name, OpenCall open)
{
    const ObjectName<Char> objectName(name);
    return objectName.Failed() ? nullptr : open(objectName.Text());
}

} // namespace

HANDLE KRAPI CreateGlobalEventA(SECURITY_ATTRIBUTES *sa, BOOL manualReset, BOOL initialState, const char *name)
{
    return CreateNamed(sa, name, [&](SECURITY_ATTRIBUTES *a, const char *n) {
        return CreateEventA(a, manualReset, initialState, n);
    });
}

HANDLE KRAPI CreateGlobalEventW(SECURITY_ATTRIBUTES *sa, BOOL manualReset, BOOL initialState, const WCHAR *name)
{
    return CreateNamed(sa, name, [&](SECURITY_ATTRIBUTES *a, const WCHAR *n) {
        return CreateEventW(a, manualReset, initialState, n);
    });
}

HANDLE KRAPI OpenGlobalEventA(DWORD access, BOOL inherit, const char *name)
{
    return OpenNamed(name, [&](const char *n) { return OpenEventA(access, inherit, n); });
}

HANDLE KRAPI OpenGlobalEventW(DWORD access, BOOL inherit, const WCHAR *name)
{
    return OpenNamed(name, [&](const WCHAR *n) { return OpenEventW(access, inherit, n); });
}

HANDLE KRAPI CreateGlobalMutexA(SECURITY_ATTRIBUTES *sa, BOOL initialOwner, const char *name)
{
    return CreateNamed(sa, name, [&](SECURITY_ATTRIBUTES *a, const char *n) { return CreateMutexA(a, initialOwner, n); });
}

HANDLE KRAPI CreateGlobalMutexW(SECURITY_ATTRIBUTES *sa, BOOL initialOwner, const WCHAR *name)
{
    return CreateNamed(sa, name, [&](SECURITY_ATTRIBUTES *a, const WCHAR *n) { return CreateMutexW(a, initialOwner, n); });
}

HANDLE KRAPI OpenGlobalMutexA(DWORD access, BOOL inherit, const char *name)
{
    return OpenNamed(name, [&](const char *n) { return OpenMutexA(access, inherit, n); });
}

HANDLE KRAPI OpenGlobalMutexW(DWORD access, BOOL inherit, const WCHAR *name)
{
    return OpenNamed(name, [&](const WCHAR *n) { return OpenMutexW(access, inherit, n); });
}

BOOL KRAPI ApplicationRunningCheck(const char *name)
{
    const HANDLE mutex = CreateGlobalMutexA(nullptr, FALSE, name);
    if (!mutex) {
        kr::Beep(MB_ICONHAND);
        return TRUE;
    }
    for (;;) {
        const DWORD wait = WaitForSingleObject(mutex, 0);
        if (wait == WAIT_TIMEOUT) {
            CloseHandle(mutex); // another process holds it; this handle is of no use
            return TRUE;
        }
        if (wait != WAIT_ABANDONED)
            return FALSE; // owned now: the handle stays open until the process ends
    }
}

void KRAPI RemoveApplicationRunningCheck(const char *name)
{
    if (HANDLE mutex = OpenGlobalMutexA(MUTEX_ALL_ACCESS, FALSE, name))
        CloseHandle(mutex);
}
