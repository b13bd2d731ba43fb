// A mutator for the .xlsx target that keeps the package a valid zip: the parts of an .xlsx file
// are deflated and checksummed, so bytes changed at random almost never reach the XML behind
// them. This one changes one part's content (or, now and then, the raw bytes) and packs the parts
// again, stored, with fresh checksums.

#include <zip.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize);

namespace {

using Parts = std::vector<std::pair<std::string, std::string>>;

bool Unpack(const uint8_t* data, size_t size, Parts& parts) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(data, size, 0, &error);
    zip_t* archive = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
    zip_error_fini(&error);
    if (!archive) {
        if (source) zip_source_free(source);
        return false;
    }
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    bool ok = count > 0 && count < 64;
    for (zip_int64_t k = 0; ok && k < count; ++k) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        ok = zip_stat_index(archive, zip_uint64_t(k), 0, &stat) == 0 &&
             (stat.valid & ZIP_STAT_SIZE) && (stat.valid & ZIP_STAT_NAME) && stat.size < (1u << 20);
        zip_file_t* file = ok ? zip_fopen_index(archive, zip_uint64_t(k), 0) : nullptr;
        std::string content(ok ? std::size_t(stat.size) : 0, '\0');
        ok = file && zip_fread(file, content.data(), content.size()) == zip_int64_t(content.size());
        if (file) zip_fclose(file);
        if (ok) parts.emplace_back(stat.name, std::move(content));
    }
    zip_discard(archive);
    return ok;
}

std::string Pack(const Parts& parts) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* target = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t* archive = target ? zip_open_from_source(target, ZIP_TRUNCATE, &error) : nullptr;
    zip_error_fini(&error);
    if (!archive) {
        if (target) zip_source_free(target);
        return {};
    }
    zip_source_keep(target);
    for (const auto& [name, content] : parts) {
        // libzip frees a buffer it was given only when the buffer is not empty.
        void* copy = content.empty() ? nullptr : std::malloc(content.size());
        if (copy) std::memcpy(copy, content.data(), content.size());
        zip_source_t* part = zip_source_buffer(archive, copy, content.size(), copy ? 1 : 0);
        const zip_int64_t index =
            part ? zip_file_add(archive, name.c_str(), part, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            if (part)
                zip_source_free(part);
            else
                std::free(copy);
            continue;
        }
        zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_STORE, 0);
    }
    std::string bytes;
    if (zip_close(archive) != 0) {
        zip_discard(archive);
    } else if (zip_source_open(target) == 0) {
        char buffer[8192];
        for (zip_int64_t n; (n = zip_source_read(target, buffer, sizeof buffer)) > 0;)
            bytes.append(buffer, std::size_t(n));
        zip_source_close(target);
    }
    zip_source_free(target);
    return bytes;
}

}  // namespace

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize,
                                          unsigned int seed) {
    Parts parts;
    if (seed % 8 == 0 || !Unpack(data, size, parts)) return LLVMFuzzerMutate(data, size, maxSize);
    std::string& content = parts[(seed / 8) % parts.size()].second;
    const std::size_t used = content.size();
    content.resize(used * 2 + 64);
    content.resize(
        LLVMFuzzerMutate(reinterpret_cast<uint8_t*>(content.data()), used, content.size()));
    const std::string packed = Pack(parts);
    if (packed.empty() || packed.size() > maxSize) return LLVMFuzzerMutate(data, size, maxSize);
    std::memcpy(data, packed.data(), packed.size());
    return packed.size();
}
