#include "cli/commands/TransferFormat.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "cli/commands/CommandSupport.h"

namespace {

std::string lowerExtension(const std::string& file) {
    std::string extension = std::filesystem::path(file).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

}  // namespace

Status chooseTransferFormat(const CliArgs& args, const std::string& file, TransferFormat& format) {
    if (const auto name = args.value("format")) {
        if (*name == "csv")
            format = TransferFormat::DelimitedText;
        else if (*name == "vcard")
            format = TransferFormat::VCard;
        else if (*name == "ical")
            format = TransferFormat::ICalendar;
        else
            return usageFailure(fillIn(_("unknown %s \"%s\""), {"--format", *name}));
        return {};
    }
    const std::string extension = lowerExtension(file);
    if (extension == ".vcf" || extension == ".vcard")
        format = TransferFormat::VCard;
    else if (extension == ".ics" || extension == ".ical")
        format = TransferFormat::ICalendar;
    else
        format = TransferFormat::DelimitedText;
    return {};
}
