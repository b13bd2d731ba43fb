#include "zip_archive.h"

#include <zip.h>

#include "read_limits.h"

namespace q36::exchange {

namespace {

ExchangeStatus Damaged(const std::string& reason) {
    return ExchangeStatus::Error(ExchangeError::Damaged, reason);
}

ExchangeStatus TooLarge(const std::string& reason) {
    return ExchangeStatus::Error(ExchangeError::TooLarge, reason);
}

}  // namespace

ZipArchive::~ZipArchive() {
    if (archive_) zip_discard(archive_);
}

ExchangeStatus ZipArchive::Open(std::vector<uint8_t> bytes) {
    bytes_ = std::move(bytes);
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes_.data(), bytes_.size(), 0, &error);
    if (source) {
        archive_ = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
        if (!archive_) zip_source_free(source);
    }
    if (!archive_) {
        const std::string reason = std::string("zip: ") + zip_error_strerror(&error);
        zip_error_fini(&error);
        return Damaged(reason);
    }
    zip_error_fini(&error);
    const zip_int64_t entries = zip_get_num_entries(archive_, 0);
    if (entries < 0 || static_cast<std::size_t>(entries) > MAX_ZIP_ENTRIES) {
        return TooLarge("zip: too many entries");
    }
    return ExchangeStatus::Ok();
}

bool ZipArchive::Contains(const std::string& name) const {
    return archive_ && zip_name_locate(archive_, name.c_str(), ZIP_FL_NOCASE) >= 0;
}

ExchangeStatus ZipArchive::Read(const std::string& name, std::string& content) const {
    content.clear();
    const zip_int64_t index =
        archive_ ? zip_name_locate(archive_, name.c_str(), ZIP_FL_NOCASE) : -1;
    if (index < 0) return Damaged(name + ": missing");
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive_, static_cast<zip_uint64_t>(index), 0, &stat) != 0 ||
        !(stat.valid & ZIP_STAT_SIZE)) {
        return Damaged(name + ": no size");
    }
    if (stat.size > MAX_ZIP_ENTRY_BYTES) return TooLarge(name + ": inflates beyond the limit");

    zip_file_t* file = zip_fopen_index(archive_, static_cast<zip_uint64_t>(index), 0);
    if (!file) return Damaged(name + ": " + zip_strerror(archive_));
    // The declared size is the archive's claim only: the count while inflating is what holds.
    content.resize(static_cast<std::size_t>(stat.size));
    std::size_t done = 0;
    char spare;
    for (;;) {
        const std::size_t room = content.size() - done;
        const zip_int64_t n =
            room > 0 ? zip_fread(file, content.data() + done, room) : zip_fread(file, &spare, 1);
        if (n < 0) {
            const std::string reason = name + ": " + zip_file_strerror(file);
            zip_fclose(file);
            content.clear();
            return Damaged(reason);
        }
        if (n == 0) break;
        if (room == 0) {
            zip_fclose(file);
            content.clear();
            return Damaged(name + ": longer than declared");
        }
        done += static_cast<std::size_t>(n);
    }
    zip_fclose(file);
    if (done != content.size()) {
        content.clear();
        return Damaged(name + ": shorter than declared");
    }
    return ExchangeStatus::Ok();
}

}  // namespace q36::exchange
