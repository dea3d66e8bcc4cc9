#pragma once

#include "core/picture/BitmapInfoHeader.h"
#include "core/picture/PixelBuffer.h"
#include "core/render/RenderSettings.h"
#include "core/render/RowLookAhead.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string>

namespace korvanta {

class RenderView;

// One picture being computed: a pixel, or a slice of at most 5000 iterations of one, per
// step, written into a bottom-up 32-bit buffer with the value overlay blended in its corner.
// Owns the formula and the coloring that its settings show.
class RenderJob {
public:
    static constexpr const char* kTitle = "Nimbrel's";
    static constexpr const char* kReadyTitle = "Nimbrel's renderer ready";

    RenderJob() = default;
    RenderJob(const RenderSettings& settings, PictureObjects objects)
    {
        ApplySettings(settings, std::move(objects));
    }
    RenderJob(const RenderJob&) = delete;
    RenderJob& operator=(const RenderJob&) = delete;

    // Takes over the objects (the settings' views are pointed at them) and configures the
    // formula: area, size and, as iteration limit, the coloring's number of colors.
    void ApplySettings(const RenderSettings& settings, PictureObjects objects);

    // Creates the picture buffer, or takes `picture` when the caller allocated it first to
    // refuse an impossible picture before anything else happened. Activates `overlay` when
    // the settings ask for values and it fits strictly inside the picture (the settings then
    // say whether it is active). False when the picture cannot be allocated: the job then
    // renders nothing.
    bool CreateBitmaps(PixelBuffer overlay = {}, PixelBuffer picture = {});
    // The same for a picture that is only ever handed out a row at a time (RenderRowInto):
    // no buffer, so a picture of any size costs nothing here.
    void CreateOverlayOnly(PixelBuffer overlay = {});

    // The buffer for a picture of these settings; empty when it cannot be had.
    static PixelBuffer AllocatePicture(const RenderSettings& settings)
    {
        return PixelBuffer::Allocate(settings.m_nWidth, settings.m_nHeight);
    }

    void SetView(RenderView* view) { m_view = view; }
    // The control window that owns the picture (not stored with it).
    void SetDialog(CFractalDlg* dialog) { m_settings.m_pDlg = dialog; }

    // How long a step waits by default for the workers' next row when it is not ready yet:
    // long enough that the idle loop does not spin against the workers.
    static constexpr std::chrono::microseconds kRowWait{500};

    // 0 when the picture is complete (or cannot be rendered), 1 otherwise.
    int RenderStep(int idleCount = 0, std::chrono::microseconds rowWait = kRowWait);

    // From now on the workers compute rows ahead, and each step takes the next row whole
    // when it is ready (nothing when it is not yet). The picture, its position and its
    // formula's stored state only ever stand where pixel-by-pixel stepping also stands.
    void EnableLookAhead(RowWorkers& workers);
    bool LooksAhead() const { return m_lookAhead != nullptr; }
    // Brings the formula object to the state stepping would have left (the last pixel
    // taken from the workers, computed once more); what documents store needs it.
    void SettleFormula() const;

    // For renderers that split the rest of a picture across threads: computes the pixels of
    // `row` from `fromColumn` on with `alg`, a copy of this job's formula, exactly as
    // RenderStep would (through a vector kernel where the formula has one, which leaves `alg`
    // as it was). Touches only those pixels, so different rows may run at once.
    void RenderRowWith(CFractAlg& alg, std::int32_t row, std::int32_t fromColumn = 0);
    // The whole of `row` as RenderRowWith leaves it in a fresh buffer, value panel and all,
    // into `pixels` (Width() of them) instead of the picture: for pictures never held whole.
    void RenderRowInto(CFractAlg& alg, std::int32_t row, std::uint32_t* pixels) const;
    // Marks the picture complete once every row was rendered that way, and leaves the job's
    // own formula as stepping would have: holding the last pixel.
    void FinishAfterRows();

    // Where rendering continues; a loaded document resumes here with a fresh pixel. False,
    // and nothing changed, for a place outside the picture.
    bool SetPosition(std::int32_t column, std::int32_t row);

    bool OutOfMemory() const { return m_outOfMemory; }
    bool Finished() const { return m_nRow >= m_settings.m_nHeight || m_outOfMemory; }

    const RenderSettings& Settings() const { return m_settings; }
    PixelBuffer& Pixels() { return m_bits; }
    const PixelBuffer& Pixels() const { return m_bits; }
    const PixelBuffer& Overlay() const { return m_overlay; }
    BitmapInfoHeader& Header() { return m_header; }
    const BitmapInfoHeader& Header() const { return m_header; }
    std::int32_t Row() const { return m_nRow; }
    std::int32_t Column() const { return m_nCol; }
    // Buffer rows from here up have never been written: they hold zeros.
    std::int32_t UnwrittenFrom() const
    {
        return std::min(m_settings.m_nHeight, std::max(m_nRow + 1, m_rowsBeforeMove));
    }

private:
    // A row from `fromColumn` on; with `kernelAllowed`, formulas that have a vector kernel
    // use it (the formula object is then left as it was).
    void RenderPixels(CFractAlg& alg, std::int32_t row, std::int32_t fromColumn, bool kernelAllowed,
                      std::uint32_t* rowPixels) const;
    std::uint32_t* RowOfPicture(std::int32_t row) { return &m_bits.at(0, row); }
    void WritePixel(std::uint32_t* rowPixels, std::int32_t column, std::int32_t row, std::uint32_t value) const;
    void ActivateOverlay(PixelBuffer overlay);
    void RowDone();
    void ShowPreparation(const CFractAlg& alg);

    PictureObjects m_objects;
    RenderSettings m_settings;
    RenderView* m_view = nullptr;
    PixelBuffer m_bits;
    PixelBuffer m_overlay;
    BitmapInfoHeader m_header;
    std::int32_t m_nRow = 0;
    std::int32_t m_repaintedRow = 0;  // rows above it are on the screen
    std::int32_t m_rowsBeforeMove = 0;  // rows that had been reached before SetPosition
    std::int32_t m_nCol = 0;
    bool m_bNewPixel = true;
    bool m_outOfMemory = false;
    // The last pixel taken from the workers, whose state the formula does not hold yet.
    mutable std::int32_t m_staleRow = -1, m_staleColumn = 0;
    int m_preparationShown = -1;  // the percentage of the preparation in the title
    std::unique_ptr<RowLookAhead> m_lookAhead;  // last: it stops before the objects go
};

}  // namespace korvanta
