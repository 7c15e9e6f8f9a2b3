#include "engine/MapHistory.h"

namespace {

void PutText(std::string& out, const std::string& text) {
    // Length in 7-bit groups, then the bytes.
    std::size_t n = text.size();
    do {
        const unsigned char low = n & 0x7f;
        n >>= 7;
        out += static_cast<char>(low | (n ? 0x80 : 0));
    } while (n);
    out += text;
}

std::string GetText(const std::string& in, std::size_t& at) {
    std::size_t n = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = static_cast<unsigned char>(in[at++]);
        n |= std::size_t(byte & 0x7f) << shift;
        if (!(byte & 0x80)) break;
    }
    std::string text = in.substr(at, n);
    at += n;
    return text;
}

}  // namespace

std::string TMapHistory::Pack(const TMapState& state) {
    std::string out;
    out += static_cast<char>(state.VariableCount);
    out += static_cast<char>(state.LoadedMark);
    for (const std::string& name : state.VarNames) PutText(out, name);
    for (const auto& column : state.Store)
        for (const std::string& cell : column) PutText(out, cell);
    return out;
}

TMapState TMapHistory::Unpack(const std::string& packed) {
    TMapState state;
    std::size_t at = 0;
    state.VariableCount = static_cast<unsigned char>(packed[at++]);
    state.LoadedMark = static_cast<std::uint8_t>(packed[at++]);
    for (std::string& name : state.VarNames) name = GetText(packed, at);
    for (auto& column : state.Store)
        for (std::string& cell : column) cell = GetText(packed, at);
    return state;
}

void TMapHistory::Begin(const TCarnoGrid& grid) {
    if (depth_++ == 0) before_ = Pack(grid.State());
}

bool TMapHistory::Commit(const TCarnoGrid& grid) {
    if (depth_ == 0 || --depth_ > 0) return false;
    std::string now = Pack(grid.State());
    if (now == before_) return false;
    undo_.push_back(std::move(before_));
    redo_.clear();
    return true;
}

bool TMapHistory::Undo(TCarnoGrid& grid) {
    if (undo_.empty() || depth_ > 0) return false;
    redo_.push_back(Pack(grid.State()));
    grid.SetState(Unpack(undo_.back()));
    undo_.pop_back();
    return true;
}

bool TMapHistory::Redo(TCarnoGrid& grid) {
    if (redo_.empty() || depth_ > 0) return false;
    undo_.push_back(Pack(grid.State()));
    grid.SetState(Unpack(redo_.back()));
    redo_.pop_back();
    return true;
}

void TMapHistory::Clear() {
    undo_.clear();
    redo_.clear();
    depth_ = 0;
}
