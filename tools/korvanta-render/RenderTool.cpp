#include "tools/korvanta-render/RenderTool.h"

#include "tools/korvanta-render/JobPieces.h"
#include "tools/korvanta-render/Options.h"
#include "tools/korvanta-render/PictureRequest.h"
#include "tools/korvanta-render/RunFigures.h"
#include "tools/korvanta-render/StreamedOutputs.h"
#include "core/archive/Archive.h"
#include "core/deep/FractAlgDeep.h"
#include "core/exchange/LocationFields.h"
#include "core/exchange/LocationFileIo.h"
#include "core/files/PictureParameters.h"
#include "core/render/ClassRegistry.h"
#include "core/files/InputFile.h"
#include "core/files/PictureExport.h"
#include "core/files/RenderRecord.h"
#include "core/render/ParallelRender.h"

#ifdef KORVANTA_HAVE_OVERLAY
#include "gui/overlay/ValueOverlay.h"

#include <QGuiApplication>
#endif

#include <algorithm>
#include <cstdio>
#include <cctype>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <unistd.h>

namespace korvanta {

namespace {

constexpr const char* kName = "korvanta-render";

#ifdef KORVANTA_HAVE_OVERLAY
// Qt's notes about the session (no runtime folder and the like) mean nothing here.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "korvanta-render: %s\n", qPrintable(message));
}

// Text drawing (the value panel) needs a GUI application; a headless one will do. It is
// only started when a picture shows its values.
PixelBuffer Overlay(const RenderSettings& settings)
{
    if (!QCoreApplication::instance()) {
        qInstallMessageHandler(QuietQtMessages);
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "korvanta-render";
        static char* argv[] = {name, nullptr};
        static QGuiApplication app(argc, argv);
    }
    return BuildValueOverlay(settings);
}
#else
constexpr const char* kNoValuePanel =
    "this korvanta-render was built without the value panel (Qt GUI); render without values "
    "(--no-values) or use a build with the GUI";

// Without text drawing a picture that shows its values cannot be made as the explorer
// makes it; refusing beats a picture that silently lacks its panel.
[[noreturn]] PixelBuffer Overlay(const RenderSettings&)
{
    throw std::runtime_error(kNoValuePanel);
}
#endif

std::unique_ptr<RenderJob> LoadDocument(const std::string& path, WindowPlacement& placement,
                                        std::string& error)
{
    std::ifstream in;
    std::error_code reason;
    if (!OpenInputFile(in, path, &reason)) {
        error = "cannot open '" + path + "': " +
                (reason == std::errc::invalid_argument ? "not a plain file" : reason.message());
        return nullptr;
    }
    try {
        Archive ar(in, FindRegisteredClass);
        LoadedRecord loaded = ReadRenderRecord(ar, Overlay);
        placement = loaded.placement;
        return std::move(loaded.job);
    } catch (const ArchiveError& e) {
        error = e.kind() == ArchiveError::Kind::NotADocument
                    ? "'" + path + "' is not a Korvanta document"
                    : "cannot read '" + path + "': " + e.what();
    } catch (const std::bad_alloc&) {
        error = "'" + path + "' describes a picture too large for this computer";
    } catch (const std::runtime_error& e) {
        error = e.what();
    }
    return nullptr;
}

// A bar that redraws one line of standard error.
class ProgressBar {
public:
    ProgressBar(std::ostream& err, bool shown, std::int32_t rows, const char* what = "rows")
        : m_err(err), m_shown(shown), m_rows(std::max(1, rows)), m_what(what)
    {
    }
    void Show(std::int32_t done)
    {
        if (!m_shown)
            return;
        constexpr int kWidth = 40;
        const int filled = static_cast<int>(std::int64_t{done} * kWidth / m_rows);
        m_err << "\r[" << std::string(filled, '#') << std::string(kWidth - filled, '.') << "] "
              << std::int64_t{done} * 100 / m_rows << "% " << done << '/' << m_rows << ' ' << m_what
              << std::flush;
    }
    ~ProgressBar()
    {
        if (m_shown)
            m_err << '\n';
    }

private:
    std::ostream& m_err;
    bool m_shown;
    std::int32_t m_rows;
    const char* m_what;
};

// What makes the command line unusable beyond its syntax; empty when nothing does.
std::string RequestProblem(const RenderOptions& options)
{
    if (options.outputs.empty() && !options.writeLocation)
        return "no output given (use -o FILE)";
    for (const std::string& output : options.outputs) {
        if (FormatOfName(output))
            continue;
        std::string names;
        for (std::size_t i = 0; i < kSaveFormats.size(); ++i) {
            std::string extension = kSaveFormats[i].extension;
            std::transform(extension.begin(), extension.end(), extension.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            names += (i == 0 ? "" : i + 1 == kSaveFormats.size() ? " or " : ", ") + extension;
        }
        return "'" + output + "': the name must end in " + names;
    }
    const bool parameters = options.scene || options.from || options.location || options.area || options.centre || options.radius || options.size || options.formula ||
                            options.coloring || options.colors || options.constant ||
                            options.aspect || options.values;
    if (options.document && parameters)
        return "a document keeps its own parameters; --document goes alone";
    return {};
}

// The picture to render: a document resumed, or a new one from the options.
std::unique_ptr<RenderJob> ObtainPicture(const RenderOptions& options, PictureHeld held,
                                         WindowPlacement& placement, std::string& error)
{
    std::unique_ptr<RenderJob> job;
    try {
        job = options.document ? LoadDocument(*options.document, placement, error)
                               : PreparePicture(options, Overlay, error, held);
    } catch (const std::runtime_error& e) {
        error = e.what();
    }
    if (job && !options.document) {
        // Where the explorer's own window stands on a screen without a frame.
        placement.right = job->Settings().m_nWidth;
        placement.bottom = job->Settings().m_nHeight;
    }
    return job;
}

}  // namespace

int RunRenderTool(int argc, char** argv, std::ostream& out, std::ostream& err)
{
    std::string error;
    const RenderOptions options = ParseRenderOptions(argc, argv, error);
    auto fail = [&](const std::string& message, int status) {
        err << kName << ": " << message << '\n';
        if (status == 2)
            err << "Try '" << kName << " --help' for more information.\n";
        return status;
    };
    if (!error.empty())
        return fail(error, 2);
    if (options.help) {
        out << kRenderToolHelp;
        return 0;
    }
    if (options.version) {
        out << kName << " (Korvanta) " << KORVANTA_VERSION << '\n';
        return 0;
    }
    if (options.band)
        return RunBand(options, Overlay, fail);
    if (const std::string problem = RequestProblem(options); !problem.empty())
        return fail(problem, 2);
    if (options.merge)
        return RunMerge(options, err, fail);
    if (options.frames || options.frame || options.zoomTo)
        return RunFrames(options, Overlay, err, fail);

    RunFigures figures;
    const bool asWritten = RendersAsWritten(options, options.outputs);
    WindowPlacement placement;
    const std::unique_ptr<RenderJob> job =
        ObtainPicture(options, asWritten ? PictureHeld::RowByRow : PictureHeld::Whole, placement, error);
    if (!job)
        return fail(error, 2);

    if (options.writeLocation) {
        auto location = LocationOfFields(ParametersOfPicture(job->Settings()));
        const std::string problem = std::holds_alternative<Location>(location)
                                        ? WriteLocationFile(*options.writeLocation, std::get<Location>(location))
                                        : std::get<std::string>(location);
        if (!problem.empty())
            return fail("--write-location: " + problem, std::holds_alternative<Location>(location) ? 1 : 2);
        if (options.outputs.empty())
            return 0;
    }

    if (const auto* deep = dynamic_cast<const CFractAlgDeep*>(job->Settings().m_pAlg)) {
        ProgressBar bar(err, !options.quiet && isatty(STDERR_FILENO), 100, "reference orbits");
        if (!deep->Prepare([&](double done) {
                bar.Show(static_cast<std::int32_t>(done * 100));
                return true;
            }))
            return fail("the deep engine cannot compute this picture's location", 2);
    }

    const int threads = ThreadsToUse(options);
    const bool barShown = !options.quiet && isatty(STDERR_FILENO);
    int status = 0;
    if (asWritten) {
        try {
            ProgressBar bar(err, barShown, job->Settings().m_nHeight);
            std::int64_t pixels = 0;
            status = WriteAsRendered(*job, options.outputs, threads, err,
                                     [&](std::int32_t rows) { bar.Show(rows); }, pixels);
            figures.AddPixels(pixels);
        } catch (const std::exception& e) {
            return fail(std::string("rendering failed: ") + e.what(), 1);
        }
    } else {
        try {
            ProgressBar bar(err, barShown, job->Settings().m_nHeight);
            const std::int64_t rowsLeft = job->Settings().m_nHeight - job->Row();
            RenderInParallel(*job, threads, [&](std::int32_t rows) { bar.Show(rows); });
            figures.AddPixels(std::max<std::int64_t>(0, rowsLeft) * job->Settings().m_nWidth);
        } catch (const std::exception& e) {
            return fail(std::string("rendering failed: ") + e.what(), 1);
        }
        for (const std::string& output : options.outputs) {
            std::error_code reason;
            const SaveMessages messages = SavePicture(output, *FormatOfName(output), *job, placement, &reason);
            status = std::max(status, ReportSaveFailure(err, output, messages, reason));
        }
    }
    if (options.verbose)
        figures.Print(err);
    return status;
}

}  // namespace korvanta
