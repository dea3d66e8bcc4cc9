#include "core/render/RenderJob.h"

#include "core/deep/FractAlgDeep.h"
#include "core/formulas/FormulaKernel.h"
#include "core/render/RenderView.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace korvanta {

void RenderJob::ApplySettings(const RenderSettings& settings, PictureObjects objects)
{
    m_lookAhead.reset();
    m_staleRow = -1;
    m_objects = std::move(objects);
    m_settings = settings;
    m_settings.m_pAlg = m_objects.alg.get();
    m_settings.m_pCol = m_objects.col.get();
    CFractAlg* alg = m_settings.m_pAlg;
    if (alg == nullptr)
        return;
    alg->SetArea(m_settings.m_dXStart, m_settings.m_dXEnd, m_settings.m_dYStart,
                 m_settings.m_dYEnd);
    alg->SetWidth(m_settings.m_nWidth);
    alg->SetHeight(m_settings.m_nHeight);
    if (m_settings.m_pCol)
        alg->SetMaxIter(m_settings.m_pCol->GetNumColors());
}

bool RenderJob::CreateBitmaps(PixelBuffer overlay, PixelBuffer picture)
{
    const std::int32_t width = m_settings.m_nWidth;
    const std::int32_t height = m_settings.m_nHeight;
    m_header = BitmapInfoHeader::ForPicture(width, height);
    const bool given = picture.width() == width && picture.height() == height;
    m_bits = given && !picture.empty() ? std::move(picture) : AllocatePicture(m_settings);
    // A picture without pixels is complete as it is; any other that got no buffer is not.
    const bool hasPixels = width > 0 && height > 0;
    m_outOfMemory = m_bits.empty() && (hasPixels || width < 0 || height < 0);
    ActivateOverlay(std::move(overlay));
    if (!hasPixels && !m_outOfMemory)
        m_nRow = std::max(m_nRow, height);
    return !m_outOfMemory;
}

void RenderJob::CreateOverlayOnly(PixelBuffer overlay)
{
    m_header = BitmapInfoHeader::ForPicture(m_settings.m_nWidth, m_settings.m_nHeight);
    m_bits = PixelBuffer{};
    m_outOfMemory = false;
    ActivateOverlay(std::move(overlay));
}

void RenderJob::ActivateOverlay(PixelBuffer overlay)
{
    // The panel is only shown when it fits strictly inside the picture.
    const bool fits = !overlay.empty() && overlay.width() < m_settings.m_nWidth &&
                      overlay.height() < m_settings.m_nHeight;
    m_settings.m_bShowValues = m_settings.m_bShowValues && fits ? 1 : 0;
    m_overlay = m_settings.m_bShowValues ? std::move(overlay) : PixelBuffer{};
}

bool RenderJob::SetPosition(std::int32_t column, std::int32_t row)
{
    if (column < 0 || row < 0 || row > m_settings.m_nHeight ||
        (column >= m_settings.m_nWidth && !(column == 0 && row == m_settings.m_nHeight)))
        return false;
    m_rowsBeforeMove = std::max(m_rowsBeforeMove, m_nRow + 1);
    m_nCol = column;
    m_nRow = row;
    m_repaintedRow = std::min(m_repaintedRow, row);
    m_bNewPixel = true;
    m_staleRow = -1;
    // Rows ahead of the old place are of no use at the new one.
    if (m_lookAhead) {
        RowWorkers& workers = m_lookAhead->Workers();
        m_lookAhead.reset();
        EnableLookAhead(workers);
    }
    return true;
}

void RenderJob::EnableLookAhead(RowWorkers& workers)
{
    if (workers.Threads() == 0 || Finished() || m_bits.empty() || !m_settings.m_pAlg ||
        !m_settings.m_pCol || !m_bNewPixel)
        return;
    m_lookAhead = std::make_unique<RowLookAhead>(workers, *m_settings.m_pAlg, *m_settings.m_pCol,
                                                 m_settings.m_nWidth, m_settings.m_nHeight, m_nRow);
}

void RenderJob::SettleFormula() const
{
    if (m_staleRow < 0 || m_settings.m_pAlg == nullptr)
        return;
    m_settings.m_pAlg->SetPoint(m_staleColumn, m_staleRow);
    // On the GUI thread, at a save or an exit: an orbit that comes back is cut short (with
    // the same end state), or a pixel in the set at the highest # Colors would take seconds.
    m_settings.m_pAlg->IteratePixel(true);
    m_staleRow = -1;
}

int RenderJob::RenderStep(int, std::chrono::microseconds rowWait)
{
    if (m_nRow >= m_settings.m_nHeight || m_outOfMemory || m_bits.empty())
        return 0;
    CFractAlg* alg = m_settings.m_pAlg;
    CFractCol* col = m_settings.m_pCol;
    if (alg == nullptr || col == nullptr)
        return 1;
    if (m_lookAhead) {
        // The rest of the row at once, when the workers have it.
        const auto colors = m_lookAhead->Take(m_nRow, rowWait);
        if (!colors) {
            ShowPreparation(*alg);
            return 1;
        }
        std::uint32_t* pixels = RowOfPicture(m_nRow);
        for (std::int32_t column = m_nCol; column < m_settings.m_nWidth; ++column)
            WritePixel(pixels, column, m_nRow, (*colors)[static_cast<std::size_t>(column)]);
        m_staleRow = m_nRow;
        m_staleColumn = m_settings.m_nWidth - 1;
        RowDone();
        return m_nRow >= m_settings.m_nHeight ? 0 : 1;
    }
    if (m_bNewPixel) {
        alg->SetPoint(m_nCol, m_nRow);
        m_bNewPixel = false;
    }
    if (!alg->Iterate())
        return 1;
    m_bNewPixel = true;
    WritePixel(RowOfPicture(m_nRow), m_nCol, m_nRow, col->GetColor(*alg->GetResult()));
    if (++m_nCol < m_settings.m_nWidth)
        return 1;
    RowDone();
    return m_nRow >= m_settings.m_nHeight ? 0 : 1;
}

// Before the first row of a deep picture come its reference orbits, which can take seconds:
// the title says how far they have come.
void RenderJob::ShowPreparation(const CFractAlg& alg)
{
    const int permille = alg.PreparingPermille();
    if (m_view == nullptr || permille < 0 || permille / 10 == m_preparationShown)
        return;
    m_preparationShown = permille / 10;
    char title[40];
    std::snprintf(title, sizeof title, "Reference orbits: %d%%", m_preparationShown);
    m_view->SetTitle(title);
}

void RenderJob::RowDone()
{
    ++m_nRow;
    m_nCol = 0;
    if (m_view == nullptr)
        return;
    if (m_nRow % 5 == 0) {
        char title[32];
        std::snprintf(title, sizeof title, "%-3d%% rendered",
                      static_cast<int>(std::int64_t{m_nRow} * 100 / m_settings.m_nHeight));
        m_view->SetTitle(title);
    }
    // The rows finished since the last repaint (or since the place the picture was taken up).
    const auto repaint = [&] {
        m_view->Invalidate(m_repaintedRow, m_nRow);
        m_repaintedRow = m_nRow;
    };
    if (m_nRow % 30 == 0)
        repaint();
    if (m_nRow >= m_settings.m_nHeight) {
        m_view->SetTitle(kReadyTitle);
        // The whole picture once more: the finished window is what the user sees from now on.
        m_view->Invalidate(0, m_settings.m_nHeight);
        m_repaintedRow = m_nRow;
    }
}

// In the overlay's corner the value is blended half and half with the overlay; the
// overlay's black text is left as the buffer holds it. The overlay's bottom row and left
// column are never blended.
void RenderJob::WritePixel(std::uint32_t* rowPixels, std::int32_t column, std::int32_t row,
                           std::uint32_t value) const
{
    std::uint32_t& pixel = rowPixels[column];
    const std::int32_t rowOffset = m_settings.m_nHeight - m_overlay.height();
    const std::int32_t colOffset = m_settings.m_nWidth - m_overlay.width();
    if (!m_settings.m_bShowValues || row <= rowOffset || column <= colOffset) {
        pixel = value;
        return;
    }
    const std::uint32_t over = m_overlay.at(column - colOffset, row - rowOffset);
    if ((over & 0xFFFFFF) == 0)
        return;
    std::uint32_t blended = pixel & 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8)
        blended |= ((((value >> shift) & 0xFF) / 2) + (((over >> shift) & 0xFF) / 2)) << shift;
    pixel = blended;
}

void RenderJob::RenderRowWith(CFractAlg& alg, std::int32_t row, std::int32_t fromColumn)
{
    if (!m_bits.empty() && row >= 0 && row < m_settings.m_nHeight)
        RenderPixels(alg, row, fromColumn, true, RowOfPicture(row));
}

void RenderJob::RenderRowInto(CFractAlg& alg, std::int32_t row, std::uint32_t* pixels) const
{
    // A fresh buffer is zeroed, and the panel's black text leaves the pixel as it was.
    std::fill(pixels, pixels + std::max(0, m_settings.m_nWidth), 0u);
    RenderPixels(alg, row, 0, true, pixels);
}

void RenderJob::RenderPixels(CFractAlg& alg, std::int32_t row, std::int32_t fromColumn,
                             bool kernelAllowed, std::uint32_t* rowPixels) const
{
    const CFractCol* col = m_settings.m_pCol;
    if (col == nullptr || row < 0 || row >= m_settings.m_nHeight)
        return;
    const std::int32_t from = std::max(0, fromColumn), width = m_settings.m_nWidth;
    if (auto* deep = dynamic_cast<CFractAlgDeep*>(&alg); kernelAllowed && deep) {
        thread_local std::vector<CFractValue> results;
        deep->Row(row, from, width, results);
        for (std::int32_t column = from; column < width; ++column)
            WritePixel(rowPixels, column, row, col->GetColor(results[static_cast<std::size_t>(column - from)]));
        return;
    }
    if (kernelAllowed && FormulaKernel::Handles(alg)) {
        thread_local std::vector<CFractValue> results;
        FormulaKernel(alg).Row(row, from, width, results);
        for (std::int32_t column = from; column < width; ++column)
            WritePixel(rowPixels, column, row, col->GetColor(results[static_cast<std::size_t>(column - from)]));
        return;
    }
    // Watching for cycles pays once a pixel of the row has stayed in the set.
    bool watchCycles = false;
    for (std::int32_t column = from; column < width; ++column) {
        alg.SetPoint(column, row);
        alg.IteratePixel(watchCycles && kernelAllowed);
        watchCycles = watchCycles || alg.GetResult()->GetCount() == 0;
        WritePixel(rowPixels, column, row, col->GetColor(*alg.GetResult()));
    }
}

void RenderJob::FinishAfterRows()
{
    const std::int32_t width = m_settings.m_nWidth, height = m_settings.m_nHeight;
    // Through the formula object itself: its state is what documents store.
    if (m_settings.m_pAlg && !m_bits.empty() && width > 0 && height > 0)
        RenderPixels(*m_settings.m_pAlg, height - 1, width - 1, false, RowOfPicture(height - 1));
    m_nRow = std::max(m_nRow, height);
    m_nCol = 0;
    m_bNewPixel = true;
}

}  // namespace korvanta
