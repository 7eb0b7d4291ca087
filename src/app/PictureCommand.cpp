#include "PictureCommand.h"

#include <QImage>
#include <QString>
#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "AppFlags.h"
#include "CNorvaDoc.h"
#include "IUserInterface.h"
#include "MagnitudePicture.h"
#include "MatrixOrder.h"
#include "PictureImage.h"

namespace {

constexpr int kDefaultSize = 800;
constexpr int kLargestSide = 8192;

const char* const kPictureUsage =
    "usage: norva --picture OUT.png [--size WxH] [--order file|name|stem] FILE\n"
    "Writes the matrix as a picture: rows down, columns across, each pixel coloured by the\n"
    "decade of the largest |a| in it, white where there is none. Default size 800x800,\n"
    "each side 1 to 8192; default order file.\n";

struct PictureArguments {
    std::string outputPath;
    std::string matrixPath;
    int width = kDefaultSize;
    int height = kDefaultSize;
    PictureOrder order = PictureOrder::kFile;
    std::string error;
};

bool parseSide(std::string_view text, int& side) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), side);
    return error == std::errc() && end == text.data() + text.size() && side >= 1 &&
           side <= kLargestSide;
}

bool parseSize(std::string_view text, PictureArguments& arguments) {
    const std::size_t cross = text.find('x');
    return cross != std::string_view::npos && parseSide(text.substr(0, cross), arguments.width) &&
           parseSide(text.substr(cross + 1), arguments.height);
}

std::optional<PictureOrder> parseOrder(std::string_view text) {
    if (text == "file") return PictureOrder::kFile;
    if (text == "name") return PictureOrder::kName;
    if (text == "stem") return PictureOrder::kStem;
    return std::nullopt;
}

// Sets error at the first unusable argument.
PictureArguments parsePictureArguments(int argc, const char* const* argv) {
    PictureArguments result;
    const auto fail = [&](std::string reason) {
        result.error = std::move(reason);
        return result;
    };
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument.empty()) return fail("an empty file name");
        if (argument[0] != '-') {
            if (!result.matrixPath.empty())
                return fail("more than one matrix file: " + std::string(argument));
            result.matrixPath = argument;
            continue;
        }
        if (i + 1 >= argc) return fail(std::string(argument) + " needs a value");
        const std::string_view value = argv[++i];
        if (argument == "--picture") {
            if (!result.outputPath.empty()) return fail("--picture is given twice");
            if (value.empty()) return fail("--picture needs a value");
            result.outputPath = value;
        } else if (argument == "--size") {
            if (!parseSize(value, result))
                return fail("--size needs WxH, each from 1 to 8192: " + std::string(value));
        } else if (argument == "--order") {
            const std::optional<PictureOrder> order = parseOrder(value);
            if (!order) return fail("--order needs file, name or stem: " + std::string(value));
            result.order = *order;
        } else {
            return fail("unknown option " + std::string(argument) + " with --picture");
        }
    }
    if (result.matrixPath.empty()) return fail("no matrix file given");
    return result;
}

}  // namespace

bool isPictureCommand(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i)
        if (std::string_view(argv[i]) == "--picture") return true;
    return false;
}

int runPictureCommand(int argc, const char* const* argv) {
    const PictureArguments arguments = parsePictureArguments(argc, argv);
    if (!arguments.error.empty()) {
        std::fprintf(stderr, "norva: %s\n%s", arguments.error.c_str(), kPictureUsage);
        return 2;
    }
    RecordingUserInterface ui;
    AppFlags flags;
    CNorvaDoc doc(ui, flags, nullptr);
    if (!doc.OnOpenDocument(arguments.matrixPath)) {
        std::fprintf(stderr, "norva: %s\nnorva: cannot read %s\n", ui.lastMessage.c_str(),
                     arguments.matrixPath.c_str());
        return 1;
    }
    const MatrixOrder order = makeMatrixOrder(doc.model(), arguments.order);
    const QImage image = pictureImage(
        renderPicture(doc.model(), order, wholeMatrix(order), arguments.width, arguments.height));
    const std::string error = savePictureImage(image, arguments.outputPath);
    if (!error.empty()) {
        std::fprintf(stderr, "norva: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
