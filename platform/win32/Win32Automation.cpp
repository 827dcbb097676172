#include "platform/win32/Win32Automation.h"

#include <oaidl.h>
#include <objbase.h>
#include <oleauto.h>

#include <vector>

namespace pw::win32 {

namespace {

std::wstring Wide(const std::string& s) {
    int n = ::MultiByteToWideChar(CP_ACP, 0, s.c_str(), -1, nullptr, 0);
    std::wstring w(n > 0 ? n : 1, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, s.c_str(), -1, &w[0], n);
    w.resize(w.empty() ? 0 : w.size() - 1);
    return w;
}

class DispatchObject : public IAutoObject {
public:
    explicit DispatchObject(IDispatch* d) : d_(d) {}
    ~DispatchObject() override { d_->Release(); }

    bool PutBool(const std::string& property, bool value) override {
        DISPID id;
        if (!Id(property, id)) return false;
        VARIANT v;
        ::VariantInit(&v);
        v.vt = VT_BOOL;
        v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
        DISPID put = DISPID_PROPERTYPUT;
        DISPPARAMS params = {&v, &put, 1, 1};
        return SUCCEEDED(d_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr,
                                    nullptr, nullptr));
    }

    std::unique_ptr<IAutoObject> GetObject(const std::string& property) override {
        DISPID id;
        if (!Id(property, id)) return nullptr;
        DISPPARAMS none = {nullptr, nullptr, 0, 0};
        VARIANT result;
        ::VariantInit(&result);
        HRESULT hr = d_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result, nullptr,
                                nullptr);
        std::unique_ptr<IAutoObject> out;
        if (SUCCEEDED(hr) && result.vt == VT_DISPATCH && result.pdispVal) {
            result.pdispVal->AddRef();
            out = std::make_unique<DispatchObject>(result.pdispVal);
        }
        ::VariantClear(&result);
        return out;
    }

    bool Call(const std::string& method, const std::vector<std::pair<std::string, long>>& named) override {
        // The method's id first, then one id per named argument.
        std::vector<std::wstring> names{Wide(method)};
        for (const auto& a : named) names.push_back(Wide(a.first));
        std::vector<LPOLESTR> ptrs;
        for (auto& n : names) ptrs.push_back(&n[0]);
        std::vector<DISPID> ids(names.size());
        if (FAILED(d_->GetIDsOfNames(IID_NULL, ptrs.data(), static_cast<UINT>(ptrs.size()), LOCALE_USER_DEFAULT,
                                     ids.data())))
            return false;
        std::vector<VARIANT> args(named.size());
        for (std::size_t i = 0; i < named.size(); ++i) {
            ::VariantInit(&args[i]);
            args[i].vt = VT_I4;
            args[i].lVal = named[i].second;
        }
        DISPPARAMS params = {args.empty() ? nullptr : args.data(), named.empty() ? nullptr : ids.data() + 1,
                             static_cast<UINT>(args.size()), static_cast<UINT>(args.size())};
        VARIANT result;
        ::VariantInit(&result);
        HRESULT hr = d_->Invoke(ids[0], IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, nullptr,
                                nullptr);
        ::VariantClear(&result);
        return SUCCEEDED(hr);
    }

private:
    bool Id(const std::string& name, DISPID& id) {
        std::wstring w = Wide(name);
        LPOLESTR p = &w[0];
        return SUCCEEDED(d_->GetIDsOfNames(IID_NULL, &p, 1, LOCALE_USER_DEFAULT, &id));
    }
    IDispatch* d_;
};

}  // namespace

Win32Automation::~Win32Automation() {
    if (comReady_) ::CoUninitialize();
}

std::unique_ptr<IAutoObject> Win32Automation::Create(const std::string& progId) {
    if (!comReady_) comReady_ = SUCCEEDED(::CoInitialize(nullptr));
    CLSID clsid;
    if (FAILED(::CLSIDFromProgID(Wide(progId).c_str(), &clsid))) return nullptr;
    IDispatch* d = nullptr;
    if (FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER | CLSCTX_INPROC_SERVER, IID_IDispatch,
                                  reinterpret_cast<void**>(&d))) ||
        !d)
        return nullptr;
    return std::make_unique<DispatchObject>(d);
}

bool Win32Resources::Data(const std::string& name, std::string& bytes) {
    HRSRC r = ::FindResourceA(instance_, name.c_str(), MAKEINTRESOURCEA(10));   // RT_RCDATA
    if (!r) return false;
    HGLOBAL g = ::LoadResource(instance_, r);
    const void* p = g ? ::LockResource(g) : nullptr;
    if (!p) return false;
    bytes.assign(static_cast<const char*>(p), ::SizeofResource(instance_, r));
    return true;
}

}  // namespace pw::win32
