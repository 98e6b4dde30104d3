#include "uEscritorJson.h"

#include <algorithm>
#include <charconv>

TEscritorJson::TEscritorJson(std::FILE* Destino) : Destino_(Destino) { Buffer_.reserve(Umbral + Umbral / 4); }

TEscritorJson::~TEscritorJson() { Vaciar(); }

TEscritorJson& TEscritorJson::Texto(std::string_view T) {
    Buffer_.append(T);
    VaciarSiLleno();
    return *this;
}

TEscritorJson& TEscritorJson::Entero(std::int64_t V) {
    char cifras[24];
    const auto r = std::to_chars(cifras, cifras + sizeof cifras, V);
    return Texto(std::string_view(cifras, static_cast<std::size_t>(r.ptr - cifras)));
}

TEscritorJson& TEscritorJson::Cadena(std::string_view S) { return Texto(TextoJson(std::string(S))); }

TEscritorJson& TEscritorJson::Hex(std::span<const std::uint8_t> Bytes) {
    static constexpr char Digitos[] = "0123456789abcdef";
    Buffer_.push_back('"');
    // In slices, so that the buffer stays near its threshold.
    constexpr std::size_t Tramo = 64 * 1024;
    for (std::size_t i = 0; i < Bytes.size(); i += Tramo) {
        const std::size_t n = std::min(Tramo, Bytes.size() - i);
        const std::size_t inicio = Buffer_.size();
        Buffer_.resize(inicio + 2 * n);
        char* p = Buffer_.data() + inicio;
        for (std::uint8_t b : Bytes.subspan(i, n)) {
            *p++ = Digitos[b >> 4];
            *p++ = Digitos[b & 0xF];
        }
        VaciarSiLleno();
    }
    return Texto("\"");
}

void TEscritorJson::Linea(const nlohmann::ordered_json& Objeto) {
    Buffer_ += TextoJson(Objeto);
    FinLinea();
}

bool TEscritorJson::Vaciar() {
    if (!Fallo_ && !Buffer_.empty() && std::fwrite(Buffer_.data(), 1, Buffer_.size(), Destino_) != Buffer_.size())
        Fallo_ = true;
    if (!Fallo_ && std::fflush(Destino_) != 0) Fallo_ = true;
    Buffer_.clear();
    return !Fallo_;
}

std::string TextoJson(const nlohmann::ordered_json& Valor) {
    return Valor.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}
