#include "core/archive/Archive.h"

namespace korvanta {

namespace {

constexpr std::uint16_t kNullTag = 0x0000;
constexpr std::uint16_t kBigObjectTag = 0x7FFF;  // a 32-bit index follows
constexpr std::uint16_t kClassTag = 0x8000;
constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint32_t kBigClassTag = 0x80000000u;
constexpr std::uint32_t kMaxIndex = 0x3FFFFFFE;
constexpr std::size_t kMaxClassName = 64;
constexpr std::size_t kStringChunk = 64 * 1024;

[[noreturn]] void Fail(ArchiveError::Kind kind, const std::string& what)
{
    throw ArchiveError(kind, what);
}

}  // namespace

void Archive::WriteBytes(const void* data, std::size_t size)
{
    if (!m_out)
        Fail(ArchiveError::Kind::WriteFailed, "archive is not open for storing");
    m_out->write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!*m_out)
        Fail(ArchiveError::Kind::WriteFailed, "could not write to the file");
}

void Archive::ReadBytes(void* data, std::size_t size)
{
    if (!m_in)
        Fail(ArchiveError::Kind::Truncated, "archive is not open for loading");
    m_in->read(static_cast<char*>(data), static_cast<std::streamsize>(size));
    if (static_cast<std::size_t>(m_in->gcount()) != size)
        Fail(ArchiveError::Kind::Truncated, "the file ends too early");
}

void Archive::Transfer(std::complex<double>& z)
{
    if (IsStoring()) {
        Write(z.real());
        Write(z.imag());
    } else {
        const double re = Read<double>();
        const double im = Read<double>();
        z = {re, im};
    }
}

void Archive::Transfer(std::string& text)
{
    if (IsStoring())
        WriteString(text);
    else
        text = ReadString();
}

void Archive::WriteString(std::string_view text)
{
    const std::size_t n = text.size();
    if (n < 0xFF) {
        Write(static_cast<std::uint8_t>(n));
    } else if (n < 0xFFFE) {
        Write(std::uint8_t{0xFF});
        Write(static_cast<std::uint16_t>(n));
    } else {
        if (n > 0xFFFFFFFFu)
            Fail(ArchiveError::Kind::BadValue, "text too long to store");
        Write(std::uint8_t{0xFF});
        Write(std::uint16_t{0xFFFF});
        Write(static_cast<std::uint32_t>(n));
    }
    WriteBytes(text.data(), n);
}

std::string Archive::ReadString()
{
    std::size_t charSize = 1;
    auto readLength = [this]() -> std::uint32_t {
        const auto b = Read<std::uint8_t>();
        if (b < 0xFF)
            return b;
        const auto w = Read<std::uint16_t>();
        if (w < 0xFFFF)
            return w;
        return Read<std::uint32_t>();
    };
    std::uint32_t length;
    const auto b = Read<std::uint8_t>();
    if (b < 0xFF) {
        length = b;
    } else {
        const auto w = Read<std::uint16_t>();
        if (w == 0xFFFE) {  // 16-bit characters; their count follows
            charSize = 2;
            length = readLength();
        } else {
            length = w < 0xFFFF ? w : Read<std::uint32_t>();
        }
    }

    // Read in chunks so that a lying length fails on truncation before it can allocate much.
    std::string raw;
    const std::size_t total = std::size_t{length} * charSize;
    while (raw.size() < total) {
        const std::size_t chunk = std::min(kStringChunk, total - raw.size());
        const std::size_t at = raw.size();
        raw.resize(at + chunk);
        ReadBytes(raw.data() + at, chunk);
    }
    if (charSize == 1)
        return raw;

    std::string narrow;
    narrow.reserve(length);
    for (std::size_t i = 0; i < total; i += 2) {
        const unsigned code = static_cast<unsigned char>(raw[i]) |
                              (static_cast<unsigned>(static_cast<unsigned char>(raw[i + 1])) << 8);
        narrow.push_back(code < 0x100 ? static_cast<char>(code) : '?');
    }
    return narrow;
}

void Archive::WriteObject(const CObject* object)
{
    if (object == nullptr) {
        Write(kNullTag);
        return;
    }
    if (auto found = m_storedObjects.find(object); found != m_storedObjects.end()) {
        if (found->second < kBigObjectTag) {
            Write(static_cast<std::uint16_t>(found->second));
        } else {
            Write(kBigObjectTag);
            Write(found->second);
        }
        return;
    }
    if (m_nextIndex > kMaxIndex)
        Fail(ArchiveError::Kind::BadIndex, "too many objects in one archive");

    const CRuntimeClass& cls = object->GetRuntimeClass();
    if (auto found = m_storedClasses.find(&cls); found != m_storedClasses.end()) {
        if (found->second < kBigObjectTag) {
            Write(static_cast<std::uint16_t>(kClassTag | found->second));
        } else {
            Write(kBigObjectTag);
            Write(kBigClassTag | found->second);
        }
    } else {
        const std::string_view name = cls.m_lpszClassName;
        Write(kNewClassTag);
        Write(cls.m_wSchema);
        Write(static_cast<std::uint16_t>(name.size()));
        WriteBytes(name.data(), name.size());
        m_storedClasses.emplace(&cls, m_nextIndex++);
    }
    m_storedObjects.emplace(object, m_nextIndex++);
    const_cast<CObject*>(object)->Serialize(*this);
}

const CRuntimeClass& Archive::ReadClassRecord()
{
    const auto schema = Read<std::uint16_t>();
    const auto length = Read<std::uint16_t>();
    if (length >= kMaxClassName)
        Fail(ArchiveError::Kind::NameTooLong, "class name too long");
    char name[kMaxClassName];
    ReadBytes(name, length);
    const std::string_view view(name, length);
    const CRuntimeClass* cls = m_lookup ? m_lookup(view) : nullptr;
    if (cls == nullptr)
        Fail(ArchiveError::Kind::UnknownClass, "unknown class \"" + std::string(view) + "\"");
    if (schema != cls->m_wSchema)
        Fail(ArchiveError::Kind::BadSchema, "unsupported version of " + std::string(view));
    m_loaded.push_back(cls);
    return *cls;
}

const CRuntimeClass& Archive::ClassAt(std::uint32_t index) const
{
    if (index == 0 || index >= m_loaded.size())
        Fail(ArchiveError::Kind::BadIndex, "reference to a class that was not stored");
    if (m_loaded[index] == nullptr)
        Fail(ArchiveError::Kind::WrongKind, "class reference names an object");
    return *m_loaded[index];
}

std::unique_ptr<CObject> Archive::ReadObject(const CRuntimeClass& base)
{
    const auto tag = Read<std::uint16_t>();
    std::uint32_t objectIndex = 0;
    const CRuntimeClass* cls = nullptr;
    if (tag == kNewClassTag) {
        cls = &ReadClassRecord();
    } else if (tag == kBigObjectTag) {
        const auto big = Read<std::uint32_t>();
        if (big & kBigClassTag)
            cls = &ClassAt(big & ~kBigClassTag);
        else
            objectIndex = big;
    } else if (tag & kClassTag) {
        cls = &ClassAt(tag & ~kClassTag);
    } else {
        objectIndex = tag;
    }

    if (cls == nullptr) {
        if (objectIndex == 0)
            Fail(ArchiveError::Kind::NullObject, "an object is missing");
        if (objectIndex >= m_loaded.size())
            Fail(ArchiveError::Kind::BadIndex, "reference to an object that was not stored");
        if (m_loaded[objectIndex] != nullptr)
            Fail(ArchiveError::Kind::WrongKind, "object reference names a class");
        Fail(ArchiveError::Kind::SharedObject, "an object is used twice");
    }
    if (!cls->IsDerivedFrom(base))
        Fail(ArchiveError::Kind::WrongBase,
             std::string(cls->m_lpszClassName) + " is not a " + base.m_lpszClassName);
    if (m_loaded.size() > kMaxIndex)
        Fail(ArchiveError::Kind::BadIndex, "too many objects in one archive");

    std::unique_ptr<CObject> object = cls->CreateObject();
    if (!object)
        Fail(ArchiveError::Kind::WrongBase, std::string(cls->m_lpszClassName) + " cannot be created");
    m_loaded.push_back(nullptr);
    object->Serialize(*this);
    return object;
}

}  // namespace korvanta
