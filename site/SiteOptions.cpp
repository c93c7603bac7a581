#include "site/SiteOptions.h"

#include <algorithm>
#include <charconv>

namespace site {

namespace {

bool parsePort(const std::string& text, int& port) {
    int value = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0 || value > 65535)
        return false;
    port = value;
    return true;
}

bool parseListen(const std::string& text, SiteOptions& options) {
    const std::size_t colon = text.rfind(':');
    if (colon == std::string::npos)
        return parsePort(text, options.port);
    options.host = text.substr(0, colon);
    return !options.host.empty() && parsePort(text.substr(colon + 1), options.port);
}

bool isDatabaseUrl(const std::string& text) {
    return text.starts_with("postgresql://") || text.starts_with("postgres://");
}

} // namespace

int handlerThreads(const SiteOptions& options) {
    return options.database.empty() ? options.threads : std::max(options.threads, 32);
}

const char* usageText() {
    return "usage: ivemba-site [--listen HOST:PORT] [--data DIR] [--database postgresql://...]\n"
           "                   [--movie FILE] [--borders DIR] [--version N] [--download URL]\n"
           "                   [--storage-mib N] [--quiet]\n"
           "       ivemba-site publish (--data DIR | --database postgresql://...) --note TEXT\n"
           "                   [--base URL] CLASSFOLDER...\n"
           "exit status: 0 stopped by a signal or published, 1 failed, 2 bad arguments,\n"
           "             3 the address is taken (another server listens there)\n";
}

CommandLine parseCommandLine(const std::vector<std::string>& args) {
    CommandLine result;
    const bool publishing = !args.empty() && args[0] == "publish";
    SiteOptions serve;
    PublishOptions publish;
    for (std::size_t i = publishing ? 1 : 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                result.error = arg + " needs a value";
                return false;
            }
            out = args[++i];
            return true;
        };
        std::string text;
        if (arg == "--data") {
            if (!value(text))
                return result;
            serve.data = publish.data = text;
        } else if (arg == "--database") {
            if (!value(text))
                return result;
            if (!isDatabaseUrl(text)) {
                result.error = "--database wants a postgresql:// URL, not " + text;
                return result;
            }
            serve.database = publish.database = text;
        } else if (publishing && arg == "--note") {
            if (!value(publish.note))
                return result;
        } else if (publishing && arg == "--base") {
            if (!value(publish.base))
                return result;
            while (!publish.base.empty() && publish.base.back() == '/')
                publish.base.pop_back();
        } else if (publishing && !arg.starts_with("--")) {
            publish.classFolders.emplace_back(arg);
        } else if (!publishing && arg == "--listen") {
            if (!value(text))
                return result;
            if (!parseListen(text, serve)) {
                result.error = "--listen wants HOST:PORT, not " + text;
                return result;
            }
        } else if (!publishing && arg == "--movie") {
            if (!value(text))
                return result;
            serve.movie = text;
        } else if (!publishing && arg == "--borders") {
            if (!value(text))
                return result;
            serve.borders = text;
        } else if (!publishing && arg == "--version") {
            if (!value(text))
                return result;
            serve.version = text;
        } else if (!publishing && arg == "--download") {
            if (!value(text))
                return result;
            serve.download = text;
        } else if (!publishing && arg == "--storage-mib") {
            if (!value(text))
                return result;
            std::uint64_t mib = 0;
            const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), mib);
            if (error != std::errc() || end != text.data() + text.size() || mib == 0 ||
                mib > (std::uint64_t{1} << 40)) {
                result.error = "--storage-mib wants a number of MiB, not " + text;
                return result;
            }
            serve.storageBytes = mib * 1024 * 1024;
        } else if (!publishing && arg == "--quiet") {
            serve.log = false;
        } else {
            result.error = "unknown argument " + arg;
            return result;
        }
    }
    if (publishing) {
        if (publish.classFolders.empty()) {
            result.error = "publish needs at least one class folder";
            return result;
        }
        result.publish = std::move(publish);
    } else {
        result.serve = std::move(serve);
    }
    return result;
}

} // namespace site
