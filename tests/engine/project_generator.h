#pragma once

// Random but valid projects in the ranges engineers use, written as project files. Shared by
// the robustness sweep and the whole-run fuzzer.
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace testgen {

struct Generated {
    std::string text;
    int units = 1;
    bool rockTip = false;
};

class ProjectGenerator {
public:
    /// materials: the types that layers are drawn from.
    explicit ProjectGenerator(unsigned seed, std::vector<int> materials = {1, 2, 3, 4, 5, 6, 7, 8, 9})
        : m_random(seed), m_materials(std::move(materials))
    {
    }

    /// type 0 draws a material per layer; otherwise every layer is that type.
    Generated next(int onlyType = 0)
    {
        Generated g;
        const bool si = coin();
        g.units = si ? 2 : 1;
        m_si = si;
        const int design = pick(1, 2), load = pick(1, 2), method = pick(1, 2);
        std::string t = "Generated project " + std::to_string(++m_count) + "\n";
        t += std::to_string(g.units) + " \n";
        t += join({std::to_string(design), std::to_string(load), num(load == 2 ? uniform(0.5, 1) : 1),
                   num(pick(0, 3) == 0 ? 2 : 1), std::to_string(pick(0, 1)), std::to_string(method)}) +
             "\n";
        const double dstart = 0.5 * pick(4, 12);
        const double dialim = pick(0, 2) == 0 ? 0 : dstart + 0.5 * pick(0, 3);
        const bool bell = pick(0, 3) == 0;
        const double ratio = bell ? uniform(1.5, 3) : 0, belang = bell ? uniform(25, 45) : 0;
        const double topleng = pick(0, 2) == 0 ? 0 : uniform(1, 6);
        const double bs = pick(0, 2) == 0 ? 0 : uniform(0, dstart);
        t += join({len(dstart), len(dialim), num(ratio), num(belang), len(topleng), len(bs), modulus(uniform(3e6, 5e6))}) +
             "\n";
        const int layers = pick(1, 6);
        std::string body;
        double bottom = 0;
        for (int k = 0; k < layers; ++k) {
            const int type = onlyType ? onlyType : m_materials[pick(0, static_cast<int>(m_materials.size()) - 1)];
            bottom += uniform(4, 30);
            if (k == layers - 1)
                g.rockTip = type >= 4 && type <= 7;
            body += layer(type, bottom, dstart);
        }
        const double third = design == 1 ? (si ? uniform(200, 8000) : uniform(20, 900)) : uniform(10, bottom + 5);
        t += join({std::to_string(layers), len(uniform(0, bottom)), design == 1 ? num(third) : len(third),
                   num(uniform(2, 3)), num(uniform(2.5, 3))}) +
             "\n";
        g.text = t + body;
        return g;
    }

private:
    std::string layer(int type, double bottom, double dstart)
    {
        std::string s = std::to_string(type) + " " + len(bottom) + " \n";
        const bool coefGiven = coin();
        const int isand = pick(1, 2);
        for (int end = 0; end < 2; ++end) {
            const std::string rf = num(uniform(0.4, 1)) + " " + num(uniform(0.4, 1));
            const std::string tranlm = pick(0, 2) == 0 ? stress(uniform(1000, 8000)) : "0";
            const std::string qblim = pick(0, 2) == 0 ? stress(uniform(20000, 200000)) : "0";
            switch (type) {
            case 1: {
                const bool phiGiven = coin();
                const double blows = phiGiven && coin() ? 0 : pick(3, 60);
                s += join({"0.0", unitWeight(uniform(105, 130)), num(phiGiven ? uniform(28, 40) : 0), "0.0",
                           std::to_string(static_cast<int>(blows)), tranlm, qblim, rf});
                break;
            }
            case 2:
            case 3:
                s += join({num(pick(0, 1) ? uniform(6, 9) : 0), unitWeight(uniform(110, 135)), "0.0",
                           stress(type == 2 ? uniform(300, 6000) : uniform(3000, 20000)), std::to_string(pick(0, 40)),
                           tranlm, qblim, rf});
                break;
            case 4:
            case 7:
                s += join({stress(uniform(2e5, 3e6)), stress(uniform(5e5, 8e5)), len(uniform(0.3, 5)),
                           len(uniform(0, 0.05)), len(dstart), tranlm, modulus(uniform(5e5, 5e6)),
                           num(uniform(30, 100)), qblim, rf});
                break;
            case 5:
                s += join({unitWeight(uniform(120, 140)), std::to_string(pick(20, 100)), num(uniform(0.25, 0.35)),
                           pick(0, 1) ? modulus(uniform(5000, 50000)) : "0", len(dstart), tranlm, qblim, rf});
                break;
            case 6:
                s += join({stress(uniform(1e4, 2e5)), std::to_string(pick(1, 4)),
                           m_si ? num(uniform(0.15, 0.23)) : num(uniform(6, 9)), num(uniform(25, 35)), len(dstart),
                           tranlm, modulus(uniform(1e4, 5e5)), num(uniform(20, 100)), qblim, rf});
                break;
            default:
                s += join({unitWeight(uniform(120, 140)), std::to_string(pick(10, 80)),
                           num(coefGiven ? uniform(0.5, 2) : 0), tranlm, qblim, rf});
                break;
            }
            s += "\n";
        }
        if (type == 1)
            s += std::to_string(isand) + " \n";
        if (type <= 3) {
            if (coefGiven)
                s += num(uniform(0.3, 1)) + " " + num(uniform(0.3, 1)) + " \n";
            else
                s += "0 0 \n";
        }
        return s;
    }

    static std::string num(double v)
    {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.6g", v);
        return buf;
    }
    static std::string join(std::initializer_list<std::string> items)
    {
        std::string s;
        for (const auto &i : items)
            s += (s.empty() ? "" : " ") + i;
        return s;
    }
    // English values converted to SI for SI projects.
    std::string len(double ft) const { return num(m_si ? ft / 3.2808 : ft); }
    std::string stress(double psf) const { return num(m_si ? psf / 20.885 : psf); }
    std::string unitWeight(double pcf) const { return num(m_si ? pcf / 6.3659 : pcf); }
    std::string modulus(double psi) const { return num(m_si ? psi * 6.894757 : psi); }

    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_random); }
    double uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(m_random); }
    bool coin() { return pick(0, 1) == 1; }

    std::mt19937 m_random;
    std::vector<int> m_materials;
    bool m_si = false;
    int m_count = 0;
};

} // namespace testgen
