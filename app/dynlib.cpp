#include "dynlib.h"

#include <dlfcn.h>
#include <sys/stat.h>

void TDynamicLibrary::setLibraryName(const std::string &path)
{
    Close();
    m_name = path;
}

void TDynamicLibrary::Open()
{
    if (m_handle)
        return;
    m_lastError.clear();
    // RTLD_NOW: a library with unresolved symbols fails here, not in the middle of a run.
    m_handle = dlopen(m_name.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (m_handle)
        return;
    const char *reason = dlerror();
    m_lastError = reason ? reason : "unknown loader error";
    struct stat info {};
    if (m_name.empty() || stat(m_name.c_str(), &info) != 0)
        throw EFileNotFoundError();
    throw EInitError();
}

void *TDynamicLibrary::GetEntry(const char *name) const
{
    if (!m_handle)
        throw EDLLNotOpenError();
    dlerror();
    return dlsym(m_handle, name);
}

void TDynamicLibrary::Close()
{
    if (!m_handle)
        return;
    dlclose(m_handle);
    m_handle = nullptr;
}
