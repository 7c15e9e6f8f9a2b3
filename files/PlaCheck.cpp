#include "files/PlaCheck.h"

#include <bit>

namespace pla {

// Split c on a variable some touching cube fixes and c does not, until one cube holds a part
// or none touches it.
bool CoveredBy(const Cube& c, const std::vector<Cube>& list) {
    std::vector<Cube> touching;
    for (const Cube& d : list) {
        if (!d.Intersects(c)) continue;
        if (!d.care.Without(c.care).Any()) return true;  // d holds all of c
        touching.push_back(d);
    }
    if (touching.empty()) return false;
    // The variable fixed by most touching cubes splits them best.
    std::vector<int> count;
    for (const Cube& d : touching) {
        const Bits free = d.care.Without(c.care);
        for (std::size_t w = 0; w < free.WordCount(); ++w)
            for (std::uint64_t x = free.Word(w); x; x &= x - 1) {
                const std::size_t b = w * 64 + std::countr_zero(x);
                if (count.size() <= b) count.resize(b + 1, 0);
                ++count[b];
            }
    }
    int best = 0;
    for (std::size_t b = 0; b < count.size(); ++b)
        if (count[b] > count[best]) best = static_cast<int>(b);
    Bits bit;
    bit.Set(best);
    return CoveredBy({c.care | bit, c.value}, touching) &&
           CoveredBy({c.care | bit, c.value | bit}, touching);
}

std::optional<std::string> CoverFault(const Pla& input, const Pla& cover) {
    if (cover.inputs != input.inputs || cover.outputs != input.outputs)
        return "the cover has " + std::to_string(cover.inputs) + " inputs and " +
               std::to_string(cover.outputs) + " outputs, the PLA " + std::to_string(input.inputs) +
               " and " + std::to_string(input.outputs);
    const bool restIsOff = input.type == Type::F || input.type == Type::FD;
    for (int j = 0; j < input.outputs; ++j) {
        const OutputSets& f = input.functions[j];
        const std::vector<Cube>& products = cover.functions[j].on;
        std::vector<Cube> takes = products;
        takes.insert(takes.end(), f.dc.begin(), f.dc.end());
        for (const Cube& c : f.on)
            if (!CoveredBy(c, takes))
                return "output " + input.OutputName(j) + " loses the on cube " +
                       InputPart(c, input.inputs);
        std::vector<Cube> allowed = f.on;
        allowed.insert(allowed.end(), f.dc.begin(), f.dc.end());
        for (const Cube& c : products) {
            bool reachesOff = false;
            if (restIsOff) {
                reachesOff = !CoveredBy(c, allowed);
            } else {
                for (const Cube& o : f.off)
                    if (c.Intersects(o) && !CoveredBy({c.care | o.care, c.value | o.value}, f.dc))
                        reachesOff = true;
            }
            if (reachesOff)
                return "output " + input.OutputName(j) + " takes off points with " +
                       InputPart(c, input.inputs);
        }
    }
    return std::nullopt;
}

}  // namespace pla
