// Encoding dialog templates and icon groups, little-endian.
#include "tools/rc/binary.h"

#include <set>
#include <utility>

namespace rc {
namespace {

constexpr uint16_t kIcon = 3, kDialog = 5, kGroupIcon = 14;

class Writer {
  public:
    void Word(uint16_t value) {
        bytes_.push_back(uint8_t(value));
        bytes_.push_back(uint8_t(value >> 8));
    }
    void Dword(uint32_t value) {
        Word(uint16_t(value));
        Word(uint16_t(value >> 16));
    }
    void Byte(uint8_t value) { bytes_.push_back(value); }
    void Text(const std::u16string& text) {
        for (char16_t c : text)
            Word(uint16_t(c));
        Word(0);
    }
    void Class(const ClassRef& ref) {
        if (ref.kind == ClassRef::None) {
            Word(0);
        } else if (ref.kind == ClassRef::Ordinal) {
            Word(0xFFFF);
            Word(ref.ordinal);
        } else {
            Text(ref.name);
        }
    }
    void AlignDword() {
        while (bytes_.size() % 4)
            bytes_.push_back(0);
    }
    void Bytes(const std::vector<uint8_t>& bytes) {
        bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    }
    std::vector<uint8_t> Take() { return std::move(bytes_); }

  private:
    std::vector<uint8_t> bytes_;
};

std::string Origin(const Location& where) {
    return std::filesystem::path(where.file).filename().string() + ":" + std::to_string(where.line);
}

} // namespace

std::vector<uint8_t> EncodeDialog(const Dialog& dialog) {
    Writer out;
    out.Word(1);      // dlgVer
    out.Word(0xFFFF); // signature
    out.Dword(dialog.helpId);
    out.Dword(dialog.exStyle);
    out.Dword(dialog.style);
    out.Word(uint16_t(dialog.controls.size()));
    out.Word(uint16_t(dialog.x));
    out.Word(uint16_t(dialog.y));
    out.Word(uint16_t(dialog.cx));
    out.Word(uint16_t(dialog.cy));
    out.Word(0); // no menu
    out.Class(dialog.windowClass);
    out.Text(dialog.caption);
    if (dialog.hasFont) {
        out.Word(dialog.pointSize);
        out.Word(dialog.weight);
        out.Byte(dialog.italic);
        out.Byte(dialog.charset);
        out.Text(dialog.typeface);
    }
    for (const Control& control : dialog.controls) {
        out.AlignDword();
        out.Dword(control.helpId);
        out.Dword(control.exStyle);
        out.Dword(control.style);
        out.Word(uint16_t(control.x));
        out.Word(uint16_t(control.y));
        out.Word(uint16_t(control.cx));
        out.Word(uint16_t(control.cy));
        out.Dword(control.id);
        out.Class(control.windowClass);
        out.Text(control.text);
        out.Word(0); // no creation data
    }
    return out.Take();
}

std::vector<BinaryResource> EncodeResources(const std::vector<ResourceDef>& defs) {
    std::vector<BinaryResource> resources;
    std::set<std::pair<uint16_t, uint16_t>> taken;
    auto add = [&](BinaryResource resource, const Location& where) {
        if (!taken.insert({resource.type, resource.name}).second)
            throw ScriptError(where,
                              "resource " + std::to_string(resource.name) + " is defined twice");
        resources.push_back(std::move(resource));
    };
    uint32_t nextImage = 1;
    for (const ResourceDef& def : defs) {
        if (const Dialog* dialog = std::get_if<Dialog>(&def.body)) {
            add({kDialog, def.name, EncodeDialog(*dialog), Origin(def.where)}, def.where);
            continue;
        }
        const Icon& icon = std::get<Icon>(def.body);
        Writer group;
        group.Word(0);
        group.Word(1); // icons
        group.Word(uint16_t(icon.images.size()));
        std::vector<BinaryResource> images;
        for (const IconImage& image : icon.images) {
            if (nextImage > 0xFFFF)
                throw ScriptError(def.where, "too many icon images");
            uint16_t id = uint16_t(nextImage++);
            group.Byte(image.width);
            group.Byte(image.height);
            group.Byte(image.colorCount);
            group.Byte(0);
            group.Word(image.planes);
            group.Word(image.bitCount);
            group.Dword(uint32_t(image.bits.size()));
            group.Word(id);
            images.push_back({kIcon, id, image.bits, Origin(def.where)});
        }
        add({kGroupIcon, def.name, group.Take(), Origin(def.where)}, def.where);
        for (BinaryResource& image : images)
            add(std::move(image), def.where);
    }
    return resources;
}

} // namespace rc
