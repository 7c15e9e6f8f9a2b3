#include "advmin/TRIMMERLib_TLB.h"

const char* const CLASS_Trimmer = "{47019827-6801-492F-B369-BB8555FE71D0}";
const char* const IID_ITrimmer = "{8A405D85-A28E-4FA4-870E-C85C0D8723E4}";

TTrimmer::TTrimmer(std::function<std::string()> exchangePath, std::string registryFile)
    : exchangePathSource_(std::move(exchangePath)), registryFile_(std::move(registryFile)) {}

TTrimmer::TTrimmer(std::string exchangePath, std::string registryFile)
    : TTrimmer([path = std::move(exchangePath)] { return path; }, std::move(registryFile)) {}

const std::array<unsigned char, 16>& TTrimmer::ControlState() {
    static const std::array<unsigned char, 16> state = {0x00, 0x00, 0x01, 0x00, 0x56, 0x0A,
                                                        0x00, 0x00, 0x2B, 0x05, 0x00, 0x00,
                                                        0x00, 0x00, 0x00, 0x00};
    return state;
}

platform::DispatchObject& TTrimmer::DefaultInterface() {
    if (!interface_) {
        MwCreateInfo info{};
        info.size = sizeof info;
        info.state = ControlState().data();
        info.stateLength = static_cast<uint32_t>(ControlState().size());
        exchangePath_ = exchangePathSource_();
        info.exchangePath = exchangePath_.c_str();
        interface_ = platform::CreateObject(CLASS_Trimmer, info, registryFile_);
        live_ = interface_.get();
    }
    return *interface_;
}

void TTrimmer::Call(int dispid, const std::vector<MwArg>& args) {
    DefaultInterface().Invoke(dispid, args);
}

void TTrimmer::Cancel() {
    if (platform::DispatchObject* object = live_.load()) object->Invoke(kCancel);
}
