#pragma once

#include <stdexcept>
#include <string>

/// A failure of the run-time binding of a library; always carries the user's message.
class EDLLError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// The library file exists but could not be brought into use (bad format, a missing
/// dependency, a failing initialiser).
class EInitError : public EDLLError {
public:
    EInitError() : EDLLError("Library failed to properly initialize") {}
};

/// No file at LibraryName.
class EFileNotFoundError : public EDLLError {
public:
    EFileNotFoundError() : EDLLError("Library could not be located") {}
};

/// GetEntry while nothing is loaded.
class EDLLNotOpenError : public EDLLError {
public:
    EDLLNotOpenError() : EDLLError("Library is not open") {}
};

/// Run-time binding of one shared library (dlopen). Destroying the object unloads it.
class TDynamicLibrary {
public:
    TDynamicLibrary() = default;
    explicit TDynamicLibrary(std::string libraryName) : m_name(std::move(libraryName)) {}
    ~TDynamicLibrary() { Close(); }
    TDynamicLibrary(const TDynamicLibrary &) = delete;
    TDynamicLibrary &operator=(const TDynamicLibrary &) = delete;

    const std::string &LibraryName() const { return m_name; }
    /// Unloads a loaded library first.
    void setLibraryName(const std::string &path);

    /// Nothing when already loaded. Raises EFileNotFoundError when no file is there and
    /// EInitError when the file is there but cannot be loaded; LastError then tells why.
    void Open();
    bool IsOpen() const { return m_handle != nullptr; }
    /// The address of the exported symbol, nullptr when the library has none of that name.
    /// Raises EDLLNotOpenError when nothing is loaded.
    void *GetEntry(const char *name) const;
    void Close();

    /// The loader's own words about the last failed Open; empty after a good one.
    const std::string &LastError() const { return m_lastError; }

private:
    std::string m_name;
    std::string m_lastError;
    void *m_handle = nullptr;
};
