#include "uPseudocodigo.h"

#include <algorithm>
#include <utility>

TListado LeerListado(std::string Nombre, std::string_view Texto) {
    TListado l;
    l.Nombre = std::move(Nombre);
    while (!Texto.empty()) {
        const std::size_t fin = std::min(Texto.find('\n'), Texto.size());
        std::string linea(Texto.substr(0, fin));
        Texto.remove_prefix(std::min(fin + 1, Texto.size()));
        if (!linea.empty() && linea.back() == '\r') linea.pop_back();
        // The tags: "{nombre}" groups at the end, after a blank.
        std::string etiquetas;
        while (!linea.empty() && linea.back() == '}') {
            const std::size_t abre = linea.rfind('{');
            if (abre == std::string::npos || abre == 0 || linea[abre - 1] != ' ') break;
            const std::string etiqueta = linea.substr(abre + 1, linea.size() - abre - 2);
            if (etiqueta.empty() || etiqueta.find_first_of(" {}") != std::string::npos) break;
            etiquetas = etiquetas.empty() ? etiqueta : etiqueta + " " + etiquetas;
            linea.erase(abre);
            while (!linea.empty() && linea.back() == ' ') linea.pop_back();
        }
        l.Lineas.push_back(std::move(linea));
        l.Etiquetas.push_back(std::move(etiquetas));
    }
    return l;
}

const std::vector<TListado>& Listados() {
    static const std::vector<TListado> listados = [] {
        std::vector<TListado> v;
        for (std::size_t i = 0; i < kNumFuentesListados; ++i)
            v.push_back(LeerListado(kFuentesListados[i].Nombre, kFuentesListados[i].Texto));
        std::sort(v.begin(), v.end(), [](const TListado& a, const TListado& b) { return a.Nombre < b.Nombre; });
        return v;
    }();
    return listados;
}

const TListado* BuscarListado(std::string_view Nombre) {
    const std::vector<TListado>& v = Listados();
    const auto it =
        std::lower_bound(v.begin(), v.end(), Nombre, [](const TListado& l, std::string_view n) { return l.Nombre < n; });
    return it != v.end() && it->Nombre == Nombre ? &*it : nullptr;
}

int LineaDe(std::string_view Listado, std::string_view Etiqueta) {
    const TListado* l = BuscarListado(Listado);
    if (l == nullptr || Etiqueta.empty()) return 0;
    for (std::size_t i = 0; i < l->Etiquetas.size(); ++i) {
        std::string_view resto = l->Etiquetas[i];
        while (!resto.empty()) {
            const std::size_t fin = std::min(resto.find(' '), resto.size());
            if (resto.substr(0, fin) == Etiqueta) return static_cast<int>(i) + 1;
            resto.remove_prefix(std::min(fin + 1, resto.size()));
        }
    }
    return 0;
}
