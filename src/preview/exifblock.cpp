// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/exifblock.h"

#include <libexif/exif-loader.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>

#include <fcntl.h>
#include <unistd.h>

namespace quorbel {
namespace {

struct LoaderRelease {
    void operator()(ExifLoader* loader) const { exif_loader_unref(loader); }
};
using LoaderPtr = std::unique_ptr<ExifLoader, LoaderRelease>;

struct FileCloser {
    int fd;
    ~FileCloser() {
        if (fd >= 0)
            ::close(fd);
    }
};

ExifDataPtr parseBlock(ExifLoader* loader) {
    const unsigned char* block = nullptr;
    unsigned int size = 0;
    exif_loader_get_buf(loader, &block, &size);
    if (block == nullptr || size == 0)
        return nullptr;
    ExifDataPtr data(exif_data_new());
    if (!data)
        return nullptr;
    exif_data_unset_option(data.get(), EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
    exif_data_load_data(data.get(), block, size);
    return data;
}

// Hands the loader the file piece by piece until it says it has seen enough.
void feedFile(ExifLoader* loader, int fd, std::size_t& bytesRead) {
    std::array<unsigned char, 4096> piece{};
    for (;;) {
        const ssize_t got = ::read(fd, piece.data(), piece.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return;
        bytesRead += static_cast<std::size_t>(got);
        if (!exif_loader_write(loader, piece.data(), static_cast<unsigned int>(got)))
            return;
    }
}

} // namespace

ExifDataPtr loadExifBlock(const std::string& path, std::size_t* bytesRead) {
    std::size_t read = 0;
    ExifDataPtr data;
    const LoaderPtr loader(exif_loader_new());
    const FileCloser file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (loader && file.fd >= 0) {
        feedFile(loader.get(), file.fd, read);
        data = parseBlock(loader.get());
    }
    if (bytesRead)
        *bytesRead = read;
    return data;
}

ExifDataPtr loadExifBlock(const unsigned char* data, std::size_t size) {
    const LoaderPtr loader(exif_loader_new());
    if (!loader || data == nullptr)
        return nullptr;
    // The loader reads the bytes without changing them; its interface merely
    // lacks the const. The block sits at the head, so a cut at UINT_MAX loses nothing.
    const auto length = static_cast<unsigned int>(std::min<std::size_t>(size, UINT_MAX));
    exif_loader_write(loader.get(), const_cast<unsigned char*>(data), length);
    return parseBlock(loader.get());
}

} // namespace quorbel
