#include "StoredZip.h"

#include <cstdint>

namespace pressmoor::testing {
namespace {

std::uint32_t Crc32(const std::string& bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char byte : bytes) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void Put(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// The fields local and central headers share, from "version needed" on.
void PutCommon(std::string& out, const std::string& name, const std::string& content) {
  Put(out, 10, 2);  // version needed
  Put(out, 0, 2);   // flags
  Put(out, 0, 2);   // stored
  Put(out, 0, 4);   // time and date
  Put(out, Crc32(content), 4);
  Put(out, static_cast<std::uint32_t>(content.size()), 4);
  Put(out, static_cast<std::uint32_t>(content.size()), 4);
  Put(out, static_cast<std::uint32_t>(name.size()), 2);
  Put(out, 0, 2);  // extra field
}

}  // namespace

std::string StoredZip(const std::vector<std::pair<std::string, std::string>>& entries) {
  std::string archive, directory;
  for (const auto& [name, content] : entries) {
    const auto offset = static_cast<std::uint32_t>(archive.size());
    Put(archive, 0x04034b50, 4);
    PutCommon(archive, name, content);
    archive += name + content;
    Put(directory, 0x02014b50, 4);
    Put(directory, 20, 2);  // made by
    PutCommon(directory, name, content);
    Put(directory, 0, 2);  // comment
    Put(directory, 0, 2);  // disk
    Put(directory, 0, 2);  // internal attributes
    Put(directory, 0, 4);  // external attributes
    Put(directory, offset, 4);
    directory += name;
  }
  const auto directoryOffset = static_cast<std::uint32_t>(archive.size());
  archive += directory;
  Put(archive, 0x06054b50, 4);
  Put(archive, 0, 4);  // disks
  Put(archive, static_cast<std::uint32_t>(entries.size()), 2);
  Put(archive, static_cast<std::uint32_t>(entries.size()), 2);
  Put(archive, static_cast<std::uint32_t>(directory.size()), 4);
  Put(archive, directoryOffset, 4);
  Put(archive, 0, 2);  // comment
  return archive;
}

}  // namespace pressmoor::testing
