#include "core/files/BandSet.h"

#include "core/archive/ArchiveError.h"
#include "core/render/BandRows.h"

#include <algorithm>
#include <bit>

namespace korvanta {

namespace {

std::string Quoted(const std::string& path)
{
    return "'" + path + "'";
}

std::string RowsText(std::int32_t first, std::int32_t last)
{
    return first == last ? "row " + std::to_string(first)
                         : "rows " + std::to_string(first) + " to " + std::to_string(last);
}

std::string BandName(std::int32_t band, std::int32_t bands)
{
    return std::to_string(band) + "/" + std::to_string(bands);
}

}  // namespace

BandSet::~BandSet() = default;

bool BandSet::Open(const std::vector<std::string>& paths, std::string& error)
{
    return Open(paths, [](const std::string& path) -> std::unique_ptr<ByteSource> {
        auto file = std::make_unique<FileSource>(path);
        return file->IsOpen() ? std::move(file) : nullptr;
    }, error);
}

bool BandSet::Open(const std::vector<std::string>& paths, const SourceOpener& open, std::string& error)
{
    m_bands.clear();
    m_file.reset();
    m_opener = open;
    if (paths.empty()) {
        error = "no band files given";
        return false;
    }
    for (const std::string& path : paths) {
        const std::unique_ptr<ByteSource> file = m_opener(path);
        if (!file) {
            error = Quoted(path) + ": cannot open it as a file";
            return false;
        }
        std::string why;
        auto header = ReadBandHeader(*file, why);
        if (!header) {
            error = Quoted(path) + ": " + why;
            return false;
        }
        if (!BandChecksumMatches(*file)) {
            error = Quoted(path) + ": corrupt: its checksum does not match its contents";
            return false;
        }
        m_bands.push_back({path, std::move(*header)});
    }

    const Band& first = m_bands.front();
    for (const Band& band : m_bands)
        if (band.header.digest != first.header.digest || band.header.width != first.header.width ||
            band.header.height != first.header.height ||
            band.header.settingsRecord != first.header.settingsRecord) {
            error = Quoted(band.path) + " belongs to another picture than " + Quoted(first.path) +
                    " (made with other options or by another version of korvanta-render)";
            return false;
        }
    m_width = first.header.width;
    m_height = first.header.height;

    std::stable_sort(m_bands.begin(), m_bands.end(), [](const Band& a, const Band& b) {
        return a.header.firstRow < b.header.firstRow;
    });
    const bool oneSplit = std::all_of(m_bands.begin(), m_bands.end(), [&](const Band& b) {
        return b.header.bands == m_bands.front().header.bands;
    });
    // The bands of the common split that lie in rows no file holds.
    auto missing = [&](std::int32_t from, std::int32_t to) {
        std::string text = RowsText(from, to - 1) + " of the picture are in none of the files given";
        if (!oneSplit)
            return text;
        const std::int32_t bands = m_bands.front().header.bands;
        std::vector<std::string> names;
        for (std::int32_t k = 0; k < bands; ++k)
            if (const RowRange r = BandRows(m_height, k, bands); r.first >= from && r.end() <= to)
                names.push_back(BandName(k, bands));
        if (names.empty())
            return text;
        std::string list;
        for (std::size_t i = 0; i < names.size(); ++i)
            list += (i == 0 ? "" : ", ") + names[i];
        return text + ": band" + (names.size() > 1 ? "s " : " ") + list + (names.size() > 1 ? " are" : " is") +
               " missing";
    };
    std::int32_t next = 0;
    for (std::size_t i = 0; i < m_bands.size(); ++i) {
        const BandHeader& h = m_bands[i].header;
        if (h.firstRow > next) {
            error = missing(next, h.firstRow);
            return false;
        }
        if (h.firstRow < next) {
            // Sorted and without gaps so far, so the band before holds this one's first row.
            const Band& earlier = m_bands[i - 1];
            const BandHeader& other = earlier.header;
            const std::int32_t last = std::min(h.firstRow + h.rowCount, other.firstRow + other.rowCount) - 1;
            if (earlier.path == m_bands[i].path)
                error = Quoted(earlier.path) + " is given twice";
            else if (h.band == other.band && h.bands == other.bands)
                error = Quoted(earlier.path) + " and " + Quoted(m_bands[i].path) + " are both band " +
                        BandName(h.band, h.bands) + " of the picture";
            else
                error = Quoted(earlier.path) + " and " + Quoted(m_bands[i].path) + " both hold " +
                        RowsText(h.firstRow, last);
            return false;
        }
        next = h.firstRow + h.rowCount;
    }
    if (next < m_height) {
        error = missing(next, m_height);
        return false;
    }

    try {
        LoadedSettings loaded = ReadSettingsRecord(first.header);
        m_job = std::make_unique<RenderJob>(loaded.settings, std::move(loaded.objects));
    } catch (const ArchiveError& e) {
        error = Quoted(m_bands.front().path) + ": damaged band header: the picture's settings cannot be read (" +
                e.what() + ")";
        return false;
    }
    // As rendering the whole picture leaves the formula: holding the last pixel.
    if (CFractAlg* alg = m_job->Settings().m_pAlg) {
        alg->SetPoint(m_width - 1, m_height - 1);
        alg->IteratePixel(false);
    }
    m_row.assign(static_cast<std::size_t>(m_width), 0);
    m_file.reset();
    return true;
}

WindowPlacement BandSet::Placement() const
{
    // Where korvanta-render places a new picture's window.
    WindowPlacement placement;
    placement.right = m_width;
    placement.bottom = m_height;
    return placement;
}

void BandSet::WriteDocument(Archive& ar)
{
    WriteRenderRecord(ar, Settings(), 0, m_height, BitmapInfoHeader::ForPicture(m_width, m_height), *this,
                      std::uint64_t(m_width) * std::uint64_t(m_height), Placement());
}

bool BandSet::Select(std::size_t band)
{
    if (m_file && m_open == band)
        return true;
    m_file.reset();
    auto file = m_opener(m_bands[band].path);
    std::string why;
    const auto header = file ? ReadBandHeader(*file, why) : std::nullopt;
    // The file must still be the one that was checked.
    const BandHeader& checked = m_bands[band].header;
    if (!header || header->digest != checked.digest || header->firstRow != checked.firstRow ||
        header->rowCount != checked.rowCount || header->settingsRecord != checked.settingsRecord)
        return false;
    m_file = std::move(file);
    m_open = band;
    return true;
}

const std::uint32_t* BandSet::Row(std::int32_t row)
{
    if (row < 0 || row >= m_height || m_bands.empty())
        return nullptr;
    const auto after = std::upper_bound(m_bands.begin(), m_bands.end(), row, [](std::int32_t r, const Band& b) {
        return r < b.header.firstRow;
    });
    const auto band = static_cast<std::size_t>(after - m_bands.begin()) - 1;
    const BandHeader& h = m_bands[band].header;
    if (!Select(band))
        return nullptr;
    const std::uint64_t offset = h.PixelOffset() + h.RowBytes() * std::uint64_t(row - h.firstRow);
    static_assert(std::endian::native == std::endian::little, "pixels are stored as in memory");
    if (!m_file->ReadAt(offset, m_row.data(), h.RowBytes()))
        return nullptr;
    return m_row.data();
}

}  // namespace korvanta
