#pragma once

#include <stdexcept>
#include <string>

namespace korvanta {

// Every way a stored archive can be unreadable; the reader raises exactly one of these.
class ArchiveError : public std::runtime_error {
public:
    enum class Kind {
        Truncated,       // the data ends inside a field
        WriteFailed,     // the stream refused bytes while storing
        NameTooLong,     // class name of 64 bytes or more
        UnknownClass,    // no registered class has the stored name
        BadSchema,       // schema number other than the class's
        WrongBase,       // the class is not of the expected family
        BadIndex,        // a reference to an index that does not exist (yet)
        WrongKind,       // a class reference naming an object, or the reverse
        NullObject,      // a null object where an object is required
        SharedObject,    // a reference to an object that was already read
        BadValue,        // a field whose value the program cannot use
        NotADocument,    // the data does not start as a document does
    };

    ArchiveError(Kind kind, const std::string& what) : std::runtime_error(what), m_kind(kind) {}
    Kind kind() const { return m_kind; }

private:
    Kind m_kind;
};

}  // namespace korvanta
