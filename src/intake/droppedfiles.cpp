// SPDX-License-Identifier: GPL-3.0-or-later
#include "intake/droppedfiles.h"

#include "global/casefold.h"

#include <QMimeData>
#include <QSysInfo>
#include <QUrl>

#include <sys/stat.h>

#include <algorithm>
#include <optional>

namespace quorbel {
namespace {

// A file:// address of this machine; one naming another host is remote.
std::optional<std::string> localPath(const QUrl& url) {
    if (!url.isLocalFile())
        return std::nullopt;
    const QString host = url.host();
    if (!host.isEmpty() && host != QStringLiteral("localhost") &&
        host != QSysInfo::machineHostName())
        return std::nullopt;
    // Decoded from the address's own escapes, not through QString, so bytes
    // that are not UTF-8 keep their values.
    const QByteArray path =
        QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    if (!path.startsWith('/'))
        return std::nullopt;
    return path.toStdString();
}

// The chooser's order: folder first, then name, each case-blind with the
// bytes breaking ties. The keys are folded once, not once per comparison.
void sortAsListed(std::vector<std::string>& paths) {
    struct Keyed {
        std::u32string folder;
        std::u32string name;
        std::string path;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(paths.size());
    for (std::string& path : paths) {
        const std::size_t slash = path.rfind('/');
        keyed.push_back({foldedCharacters(std::string_view(path).substr(0, slash + 1)),
                         foldedCharacters(std::string_view(path).substr(slash + 1)),
                         std::move(path)});
    }
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        if (a.folder != b.folder)
            return a.folder < b.folder;
        if (a.name != b.name)
            return a.name < b.name;
        return a.path < b.path;
    });
    paths.clear();
    for (Keyed& entry : keyed)
        paths.push_back(std::move(entry.path));
    paths.erase(std::unique(paths.begin(), paths.end()), paths.end());
}

} // namespace

DroppedFiles readDroppedFiles(const QMimeData& data) {
    DroppedFiles dropped;
    if (!data.hasUrls())
        return dropped;
    for (const QUrl& url : data.urls()) {
        std::optional<std::string> path = localPath(url);
        struct stat status {};
        if (!path || ::stat(path->c_str(), &status) != 0)
            continue;
        if (S_ISREG(status.st_mode)) {
            dropped.files.push_back(std::move(*path));
        } else if (S_ISDIR(status.st_mode)) {
            if (!path->ends_with('/'))
                *path += '/';
            dropped.folders.push_back(std::move(*path));
        }
    }
    sortAsListed(dropped.files);
    return dropped;
}

} // namespace quorbel
