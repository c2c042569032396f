#include "TestZipWriter.h"
#include <zlib.h>

namespace {

void Put16(std::string& s, unsigned v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>((v >> 8) & 0xFF);
}

void Put32(std::string& s, uint32_t v) {
  Put16(s, v & 0xFFFF);
  Put16(s, v >> 16);
}

}  // namespace

std::string DeflateRaw(const std::string& data, int level) {
  z_stream z{};
  deflateInit2(&z, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&z, static_cast<uLong>(data.size())) + 16, '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

std::string ExtendedTimestamp(BYTE flags, const std::vector<uint32_t>& times) {
  std::string body(1, static_cast<char>(flags));
  for (uint32_t t : times) Put32(body, t);
  std::string record = "UT";
  Put16(record, static_cast<unsigned>(body.size()));
  return record + body;
}

std::string BuildTestZip(const std::vector<TestZipEntry>& entries, std::vector<size_t>* dataOffsets) {
  std::string zip, central;
  for (const auto& e : entries) {
    const std::string stored = e.deflate ? DeflateRaw(e.data) : e.data;
    const uint32_t crc = crc32(0, reinterpret_cast<const Bytef*>(e.data.data()), static_cast<uInt>(e.data.size()));
    const uint32_t size = e.declaredSize >= 0 ? static_cast<uint32_t>(e.declaredSize) : static_cast<uint32_t>(e.data.size());
    const uint32_t offset = static_cast<uint32_t>(zip.size());
    const unsigned method = e.deflate ? 8 : 0;

    Put32(zip, 0x04034b50);
    Put16(zip, 20);
    Put16(zip, e.flags);
    Put16(zip, method);
    Put16(zip, e.dosTime);
    Put16(zip, e.dosDate);
    Put32(zip, crc);
    Put32(zip, static_cast<uint32_t>(stored.size()));
    Put32(zip, size);
    Put16(zip, static_cast<unsigned>(e.name.size()));
    Put16(zip, static_cast<unsigned>(e.localExtra.size()));
    zip += e.name + e.localExtra;
    if (dataOffsets) dataOffsets->push_back(zip.size());
    zip += stored;

    Put32(central, 0x02014b50);
    Put16(central, (static_cast<unsigned>(e.host) << 8) | 20);
    Put16(central, 20);
    Put16(central, e.flags);
    Put16(central, method);
    Put16(central, e.dosTime);
    Put16(central, e.dosDate);
    Put32(central, crc);
    Put32(central, static_cast<uint32_t>(stored.size()));
    Put32(central, size);
    Put16(central, static_cast<unsigned>(e.name.size()));
    Put16(central, 0);  // extra
    Put16(central, 0);  // comment
    Put16(central, 0);  // disk
    Put16(central, 0);  // internal attributes
    Put32(central, e.externalAttributes);
    Put32(central, offset);
    central += e.name;
  }
  const uint32_t centralOffset = static_cast<uint32_t>(zip.size());
  zip += central;
  Put32(zip, 0x06054b50);
  Put16(zip, 0);
  Put16(zip, 0);
  Put16(zip, static_cast<unsigned>(entries.size()));
  Put16(zip, static_cast<unsigned>(entries.size()));
  Put32(zip, static_cast<uint32_t>(central.size()));
  Put32(zip, centralOffset);
  Put16(zip, 0);
  return zip;
}
