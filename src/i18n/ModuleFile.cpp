#include "i18n/ModuleFile.h"

#include "designfile/SafeFile.h"

#include <bit>
#include <cstring>
#include <elf.h>

namespace vantor {

namespace {

// The ELF types of this process.
#if UINTPTR_MAX == 0xFFFFFFFFFFFFFFFFu
using Header = Elf64_Ehdr;
using ProgramHeader = Elf64_Phdr;
constexpr unsigned char NativeClass = ELFCLASS64;
#else
using Header = Elf32_Ehdr;
using ProgramHeader = Elf32_Phdr;
constexpr unsigned char NativeClass = ELFCLASS32;
#endif
constexpr unsigned char NativeByteOrder =
    std::endian::native == std::endian::little ? ELFDATA2LSB : ELFDATA2MSB;

// The architecture the program was built for; 0 where it is not known here, which skips
// that one check (the system's loader still refuses a module of another machine).
constexpr unsigned NativeMachine =
#if defined(__x86_64__)
    EM_X86_64;
#elif defined(__i386__)
    EM_386;
#elif defined(__aarch64__)
    EM_AARCH64;
#elif defined(__arm__)
    EM_ARM;
#elif defined(__riscv)
    EM_RISCV;
#elif defined(__powerpc64__)
    EM_PPC64;
#elif defined(__s390x__)
    EM_S390;
#else
    0;
#endif

template <class T> T ReadAt(std::span<const std::uint8_t> bytes, std::size_t offset) {
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

} // namespace

std::optional<std::string> CheckElfModule(std::span<const std::uint8_t> prefix,
                                          std::uint64_t fileSize) {
    if (prefix.size() > fileSize)
        return "the file is shorter than what was read of it";
    if (prefix.size() < sizeof(Header))
        return "the file is too short for a module header";
    const auto header = ReadAt<Header>(prefix, 0);
    if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0)
        return "the file is not a module (no ELF header)";
    if (header.e_ident[EI_CLASS] != NativeClass || header.e_ident[EI_DATA] != NativeByteOrder)
        return "the module is built for another kind of machine";
    if (header.e_type != ET_DYN)
        return "the file is not a shared module";
    if (NativeMachine != 0 && header.e_machine != NativeMachine)
        return "the module is built for another processor";
    if (header.e_phentsize != sizeof(ProgramHeader) || header.e_phnum == 0)
        return "the module's program header table is malformed";
    const std::uint64_t tableEnd =
        std::uint64_t{header.e_phoff} + std::uint64_t{header.e_phnum} * sizeof(ProgramHeader);
    if (header.e_phoff > fileSize || tableEnd > fileSize)
        return "the file is cut short: it ends before the module's program headers";
    if (tableEnd > prefix.size())
        return "the module's program headers lie too far into the file";
    bool loadable = false;
    for (std::size_t i = 0; i < header.e_phnum; ++i) {
        const auto segment =
            ReadAt<ProgramHeader>(prefix, header.e_phoff + i * sizeof(ProgramHeader));
        const std::uint64_t offset = segment.p_offset;
        const std::uint64_t size = segment.p_filesz;
        if (offset > fileSize || size > fileSize - offset)
            return "the file is cut short: it is " + std::to_string(fileSize) +
                   " bytes, but a segment of the module reaches to byte " +
                   std::to_string(offset + size);
        if (segment.p_type == PT_LOAD) {
            loadable = true;
            if (segment.p_filesz > segment.p_memsz)
                return "a segment of the module is larger in the file than in memory";
        }
    }
    if (!loadable)
        return "the module has nothing to load";
    return std::nullopt;
}

std::optional<std::string> CheckModuleFile(const std::filesystem::path& path) {
    const FileReadResult read = ReadRegularFile(path, ModuleCheckPrefix, true);
    if (!read.ok)
        return read.reason;
#if defined(__ELF__)
    return CheckElfModule(read.bytes, read.fileSize);
#else
    return std::nullopt;
#endif
}

} // namespace vantor
