#include "tools/korvanta-render/Options.h"

#include "core/text/NumberText.h"

#include <getopt.h>

namespace korvanta {

const char* const kRenderToolHelp = R"(Usage: korvanta-render [OPTION]... -o FILE [-o FILE]...
  or:  korvanta-render --merge BAND... -o FILE [-o FILE]...
Render a Korvanta picture without a display, on every core, exactly as the explorer would.

Input (without one, the explorer's start-up fields are used):
  -d, --document=FILE      resume the document FILE (.fra) where it stopped
  -s, --scene=SCENE        start from a sample scene, by number (0-10) or name
      --from=PICTURE.png   start from the parameters in a PNG that Korvanta wrote
      --location=FILE      start from a location file of the deep-zoom programs
                           ("Re:", "Im:", "Zoom:", "Iterations:" lines, or TOML with
                           location.real, .imag, .zoom): the Mandelbrot set at the
                           picture's size; --formula, --coloring, --colors still apply

Picture parameters (they override a scene's; not with --document):
      --area=X0,X1,Y0,Y1   real start and end, imaginary start and end, decimal
                           numbers of any length (deep pictures keep every digit)
      --centre=RE,IM       the same area by its centre and, with --radius, half its
      --radius=R           height (the width follows from the size)
      --size=WIDTHxHEIGHT  size in pixels, 1 to 32000 each
  -f, --formula=FORMULA    formula by number (0-7) or name, e.g. "Julia Set" or Julia
  -c, --coloring=COLORING  coloring by number (0-6) or name, e.g. RGB or "Blue Lagoon"
  -n, --colors=N           number of colors, which is also the iteration limit
                           (only for colorings that let it be set)
      --constant=RE,IM     the constant C (only for formulas that use one)
      --aspect, --no-aspect  fit the size to the area's shape (default: on)
      --values, --no-values  show the area's values in the picture (default: off)

Pieces for a job runner (any number of machines; the merged picture is byte for byte
the one a single run writes):
      --band=K/N           render only band K (0 to N-1) of N horizontal bands of the
                           picture into the band file given with -o
      --merge BAND...      put band files of one picture together into every -o FILE;
                           refused, writing nothing, unless they hold each row once
      --frames=N           render N frames zooming from the picture's area to the
                           --zoom-to area; each -o FILE has %d for the frame number,
                           e.g. -o frame-%05d.png
      --zoom-to=X0,X1,Y0,Y1  the area of the last frame
      --frame=K            render only frame K (0 to N-1) of the --frames sequence

Output:
  -o, --output=FILE        write FILE; its extension chooses the format:
                           .fra (a document the explorer opens), .png (with the
                           parameters that --from reads), .bmp, .tga, .wmf
      --write-location=FILE  write the picture's location for the deep-zoom programs
                           (TOML for a .toml name, else key-value lines); without -o
                           nothing is rendered
  -t, --threads=N          render on N threads (default: all cores)
  -q, --quiet              no progress bar
  -v, --verbose            at the end, print the pixels rendered per second and the
                           peak memory the process used
      --in-memory          hold the whole picture in memory while rendering, as a
                           .fra output or --document always does

Images alone (no .fra among the outputs, no --document) are rendered row by row as
they are written, on every thread, holding only a few rows: a 32000x32000 PNG needs
a few megabytes instead of 4 GB. Each image output is rendered in a pass of its own
(the formats write their rows in different orders), so N images take N times the
rendering time; the files are byte for byte the same as with --in-memory.
  -h, --help               show this help and exit
      --version            show the version and exit

Deep pictures: where neighbouring pixels lie closer than 64 units of a double's last
place at the picture's coordinates, the Mandelbrot and Julia sets, their cubic forms
and Lambda are computed by perturbation of reference orbits in arbitrary precision,
to about 1e-19728 and at most 16777216 iterations. They are the same on every machine,
thread count and band split, and agree with a direct high-precision iteration; they
are not the same as a picture computed in doubles. Sinz and the Newton formulas refuse
areas deeper than doubles tell apart.

Exit status: 0 when every output was written, 1 when rendering or writing failed,
2 for bad arguments or input, 128+N when stopped by signal N (SIGINT 130, SIGTERM 143),
after removing its unfinished files.
)";

namespace {

enum LongOnly {
    kArea = 256, kSize, kConstant, kAspect, kNoAspect, kValues, kNoValues, kVersion,
    kBand, kMerge, kFrames, kFrame, kZoomTo, kCentre, kRadius, kFrom, kLocation, kWriteLocation,
    kInMemory
};

// The option that getopt found without its value, as the user wrote it: "--area" or "-o".
std::string OptionWithoutValue(int argc, char** argv)
{
    const std::string given = optind > 0 && optind <= argc ? argv[optind - 1] : "";
    if (given.starts_with("--"))
        return given.substr(0, given.find('='));
    return std::string("-") + static_cast<char>(optopt);
}

}  // namespace

RenderOptions ParseRenderOptions(int argc, char** argv, std::string& error)
{
    static const option kOptions[] = {
        {"document", required_argument, nullptr, 'd'}, {"scene", required_argument, nullptr, 's'},
        {"area", required_argument, nullptr, kArea},   {"size", required_argument, nullptr, kSize},
        {"formula", required_argument, nullptr, 'f'},  {"coloring", required_argument, nullptr, 'c'},
        {"colors", required_argument, nullptr, 'n'},   {"constant", required_argument, nullptr, kConstant},
        {"aspect", no_argument, nullptr, kAspect},     {"no-aspect", no_argument, nullptr, kNoAspect},
        {"values", no_argument, nullptr, kValues},     {"no-values", no_argument, nullptr, kNoValues},
        {"output", required_argument, nullptr, 'o'},   {"threads", required_argument, nullptr, 't'},
        {"quiet", no_argument, nullptr, 'q'},          {"help", no_argument, nullptr, 'h'},
        {"version", no_argument, nullptr, kVersion},   {"band", required_argument, nullptr, kBand},
        {"merge", no_argument, nullptr, kMerge},       {"frames", required_argument, nullptr, kFrames},
        {"frame", required_argument, nullptr, kFrame}, {"zoom-to", required_argument, nullptr, kZoomTo},
        {"centre", required_argument, nullptr, kCentre}, {"center", required_argument, nullptr, kCentre},
        {"radius", required_argument, nullptr, kRadius}, {"from", required_argument, nullptr, kFrom},
        {"location", required_argument, nullptr, kLocation},
        {"write-location", required_argument, nullptr, kWriteLocation},
        {"verbose", no_argument, nullptr, 'v'},        {"in-memory", no_argument, nullptr, kInMemory},
        {nullptr, 0, nullptr, 0},
    };
    RenderOptions o;
    error.clear();
    optind = 0;  // restart scanning: tests parse several command lines
    opterr = 0;
    for (;;) {
        const int c = getopt_long(argc, argv, ":d:s:f:c:n:o:t:qvh", kOptions, nullptr);
        if (c == -1)
            break;
        const std::string value = optarg ? optarg : "";
        switch (c) {
        case 'd': o.document = value; break;
        case 's': o.scene = value; break;
        case kFrom: o.from = value; break;
        case kLocation: o.location = value; break;
        case kWriteLocation: o.writeLocation = value; break;
        case kArea: o.area = value; break;
        case kSize: o.size = value; break;
        case kCentre: o.centre = value; break;
        case kRadius: o.radius = value; break;
        case 'f': o.formula = value; break;
        case 'c': o.coloring = value; break;
        case 'n': o.colors = value; break;
        case kConstant: o.constant = value; break;
        case kAspect: o.aspect = true; break;
        case kNoAspect: o.aspect = false; break;
        case kValues: o.values = true; break;
        case kNoValues: o.values = false; break;
        case 'o': o.outputs.push_back(value); break;
        case 'q': o.quiet = true; break;
        case 'v': o.verbose = true; break;
        case kInMemory: o.inMemory = true; break;
        case 'h': o.help = true; break;
        case kVersion: o.version = true; break;
        case kBand: o.band = value; break;
        case kMerge: o.merge = true; break;
        case kFrames: o.frames = value; break;
        case kFrame: o.frame = value; break;
        case kZoomTo: o.zoomTo = value; break;
        case 't': {
            const std::int32_t n = AtoI(value);
            if (n < 1 || n > 1024 || std::to_string(n) != value) {
                error = "--threads needs a number from 1 to 1024, not '" + value + "'";
                return o;
            }
            o.threads = n;
            break;
        }
        case ':':
            error = "option '" + OptionWithoutValue(argc, argv) + "' needs a value";
            return o;
        default: {
            const std::string given = optind > 0 && optind <= argc ? argv[optind - 1] : "";
            error = optopt ? std::string("unrecognized option '-") + char(optopt) + "'"
                           : "unrecognized option '" + given + "'";
            return o;
        }
        }
    }
    if (o.merge)
        o.bandFiles.assign(argv + optind, argv + argc);
    else if (optind < argc)
        error = std::string("unexpected argument '") + argv[optind] + "'";
    return o;
}

}  // namespace korvanta
