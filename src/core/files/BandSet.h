#pragma once

#include "core/files/BandFile.h"
#include "core/files/RenderRecord.h"
#include "core/picture/PixelRows.h"
#include "core/render/RenderJob.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace korvanta {

// Band files given to be merged, checked to make up exactly one whole picture: every band
// complete and intact, all of the same picture, every row in exactly one band. The rows are
// then read from the files as they are asked for; only one file is open at a time and only
// one row is held.
class BandSet final : public PixelRows {
public:
    BandSet() = default;
    BandSet(const BandSet&) = delete;
    BandSet& operator=(const BandSet&) = delete;
    ~BandSet() override;

    // False, with `error` naming the file (or the rows) at fault, when the files are not one
    // whole picture.
    bool Open(const std::vector<std::string>& paths, std::string& error);
    // The same with the bytes of each name from `open`, which gives null for a name it
    // cannot open.
    using SourceOpener = std::function<std::unique_ptr<ByteSource>(const std::string& name)>;
    bool Open(const std::vector<std::string>& names, const SourceOpener& open, std::string& error);

    std::int32_t Width() const override { return m_width; }
    std::int32_t Height() const override { return m_height; }
    // Null when the file can no longer be read as it was checked.
    const std::uint32_t* Row(std::int32_t row) override;

    // The picture's settings, its formula as rendering the whole picture leaves it, and
    // where the renderer's window stands: what its document stores.
    const RenderSettings& Settings() const { return m_job->Settings(); }
    WindowPlacement Placement() const;
    // The finished picture's document record, the rows read as they are written.
    void WriteDocument(Archive& ar);

private:
    struct Band {
        std::string path;
        BandHeader header;
    };
    bool Select(std::size_t band);

    std::vector<Band> m_bands;  // by first row
    std::int32_t m_width = 0, m_height = 0;
    std::unique_ptr<RenderJob> m_job;
    std::size_t m_open = 0;
    SourceOpener m_opener;
    std::unique_ptr<ByteSource> m_file;
    std::vector<std::uint32_t> m_row;
};

}  // namespace korvanta
