#!/usr/bin/env python3
"""Writes the exact-derivatives corpus: functions in Slopekit's expression language at points,
with their value, gradient and Hessian from 50-digit symbolic differentiation (python3-sympy).

Usage: scripts/exact_corpus.py [OUT]   (default: tests/derivatives/data/exact_corpus.txt)

The fixture is checked in, so the tests never need sympy. Its format, one case a line, fields
separated by tabs, lines starting with # are comments:
  class  name  variables  point  function  value  gradient  hessian
variables and point are comma-separated (each coordinate a shortest round-trip double),
gradient is comma-separated in variable order, hessian is the lower triangle row by row
(D11, D21, D22, D31, ...), every reference with 30 significant digits.
"""
import os
import re
import sys

import sympy as sp

DIGITS = 50
SHOWN = 30

# The language's names of the functions that sympy knows under another name.
FUNCTIONS = {
    "Sin": "sp.sin", "Cos": "sp.cos", "Tan": "sp.tan", "Atn": "sp.atan", "Exp": "sp.exp",
    "Log": "sp.log", "Sqr": "sp.sqrt", "Abs": "sp.Abs", "Asin": "sp.asin", "Acos": "sp.acos",
    "Sinh": "sp.sinh", "Cosh": "sp.cosh", "Tanh": "sp.tanh", "Asinh": "sp.asinh",
    "Acosh": "sp.acosh", "Atanh": "sp.atanh",
}


def exact(value):
    """A double as the exact fraction it stands for."""
    return sp.Rational(float(value))


def literal(text):
    """A number of the text as the engine holds it (a double), exactly."""
    return "sp.Rational(%r)" % float(text)


def to_sympy(text):
    """The function as a sympy expression text. The texts avoid a sign before ^ (in the
    language -x^2 is (-x)^2), and the operators and built-ins that only the language has."""
    out = re.sub(r"\bsh\.", "", text)
    out = re.sub(r"(?<![\w.])(\d+\.?\d*(?:[eE][-+]?\d+)?|\.\d+(?:[eE][-+]?\d+)?)", lambda m: literal(m.group(1)), out)
    for name, python in FUNCTIONS.items():
        out = re.sub(r"\b%s\(" % name, python + "(", out)
    return out.replace("^", "**")


def case(kind, name, names, point, function, local=None):
    return dict(kind=kind, name=name, names=names, point=point, function=function, local=local)


def grid(n, start, step):
    return [start + step * k for k in range(n)]


TEN = ["x%d" % k for k in range(1, 11)]
CASES = [
    # polynomials
    case("polynomial", "cubic", ["x"], [1.1], "x^3 - 2*x + 1"),
    case("polynomial", "two_variables", ["x", "y"], [0.5, -1.5], "x^2*y + y^3 - x*y"),
    case("polynomial", "fourth_power_of_sum", ["x", "y", "z"], [0.1, 0.2, 0.3], "(x + y + z)^4"),
    case("polynomial", "quintic", ["x", "y"], [1.3, 0.7], "3*x^5 - x^4*y + 2*y^2"),
    case("polynomial", "mixed_cubic", ["x", "y", "z"], [2, -3, 0.5], "x*y*z - x^2*z^2"),
    case("polynomial", "rosenbrock_minimum", ["x", "y"], [1, 1], "(1-x)^2 + 100*(y-x^2)^2"),
    case("polynomial", "rosenbrock_start", ["x", "y"], [-1.2, 1], "(1-x)^2 + 100*(y-x^2)^2"),
    case("polynomial", "extended_rosenbrock_far_out", ["x1", "x2", "x3", "x4", "x5"],
         [1e6, 1.5e6, 2e6, 2.5e6, 3e6],
         "100*(x2-x1^2)^2 + (1-x1)^2 + 100*(x3-x2^2)^2 + (1-x2)^2 + 100*(x4-x3^2)^2 + (1-x3)^2"
         " + 100*(x5-x4^2)^2 + (1-x4)^2"),
    case("polynomial", "flat_minimum", ["x", "y"], [0, 0], "x^4 + y^2"),
    case("polynomial", "quadratic_far_out", ["x", "y"], [1e6, 2e6], "2*x^2 - 3*x*y + y^2"),
    case("polynomial", "sixth_power", ["x"], [-0.75], "x^6 - x^3"),
    # trigonometry
    case("trig", "sin_far_out", ["x"], [13700], "Sin(x)"),
    case("trig", "sin_cos", ["x", "y"], [0.3, 1.2], "Sin(x)*Cos(y)"),
    case("trig", "tan_of_product", ["x", "y"], [0.7, 1.1], "Tan(x*y)"),
    case("trig", "atn_of_quotient", ["x", "y"], [1, 2], "Atn(x/y)"),
    case("trig", "pythagoras", ["x"], [0.4], "Sin(x)^2 + Cos(x)^2"),
    case("trig", "cos_of_radius", ["x", "y"], [1.5, 0.5], "Cos(x^2 + y^2)"),
    case("trig", "sin_of_reciprocal", ["x"], [0.05], "Sin(1/x)"),
    case("trig", "sin_of_triple_product", ["x", "y", "z"], [1, 2, 3], "Sin(x*y*z)"),
    case("trig", "atn_far_out", ["x"], [1e6], "Atn(x)"),
    case("trig", "cos_cubed_sin_squared", ["x", "y"], [0.4, 1.1], "Cos(x)^3 * Sin(y)^2"),
    case("trig", "exp_cos_sin", ["x", "y", "z"], [0.2, 0.3, 0.4], "Exp(x)*Cos(y)*Sin(z)"),
    # exponentials and logarithms
    case("explog", "exp_times_log", ["x", "y"], [0.5, 2], "Exp(x)*Log(y)"),
    case("explog", "log_of_radius", ["x", "y"], [3, 4], "Log(x^2 + y^2)"),
    case("explog", "gaussian", ["x", "y"], [0.5, -0.3], "Exp(0 - x^2 - y^2)"),
    case("explog", "x_log_x_small", ["x"], [1e-3], "x*Log(x)"),
    case("explog", "exp_of_quotient", ["x", "y"], [1, 0.5], "Exp(x/y)"),
    case("explog", "exp_sin_log", ["x"], [2.5], "Exp(Sin(x))*Log(x)"),
    case("explog", "varying_exponent", ["x", "y"], [2.5, 1.7], "x^y"),
    case("explog", "log_of_product", ["x", "y", "z"], [1e-3, 1e3, 5], "Log(x*y*z)"),
    case("explog", "powers_of_constants", ["x", "y"], [1.5, 0.5], "2^x * 3^y"),
    case("explog", "log_log", ["x"], [10], "Log(Log(x))"),
    case("explog", "fractional_powers", ["x", "y"], [4, 9], "x^0.5 * y^1.5"),
    # poles near the point
    case("pole", "reciprocal_near_1", ["x"], [1.001], "1/(x - 1)"),
    case("pole", "inverse_radius_squared", ["x", "y"], [1e-3, 2e-3], "1/(x^2 + y^2)"),
    case("pole", "tan_near_half_pi", ["x"], [1.5707], "Tan(x)"),
    case("pole", "product_of_poles", ["x", "y"], [2.01, -0.99], "1/((x-2)*(y+1))"),
    case("pole", "quotient_near_1", ["x"], [0.999], "x/(1 - x)"),
    case("pole", "log_near_its_end", ["x"], [1.0001], "Log(x - 1)"),
    case("pole", "quotient_of_sum_and_difference", ["x", "y"], [3, 1], "(x+y)/(x-y)"),
    # narrow peaks
    case("peak", "narrow_gaussian", ["x"], [1.0005], "Exp(0 - ((x - 1)/0.001)^2)"),
    case("peak", "lorentzian_spike", ["x"], [1e-3], "1/(0.000001 + x^2)"),
    case("peak", "narrow_gaussian_2d", ["x", "y"], [0.005, 0.003], "Exp(-10000*(x^2 + y^2))"),
    case("peak", "narrow_lorentzian", ["x"], [0.5002], "1/(1 + 1000000*(x-0.5)^2)"),
    # formulas that cancel as typed
    case("cancelling", "sqr_minus_x_far_out", ["x"], [1e6], "Sqr(x^2 + 1) - x"),
    case("cancelling", "expm1_over_x", ["x"], [1e-5], "(Exp(x) - 1)/x"),
    case("cancelling", "one_minus_cos_over_square", ["x"], [1e-3], "(1 - Cos(x))/x^2"),
    case("cancelling", "log1p_minus_x", ["x"], [1e-4], "Log(x + 1) - x"),
    case("cancelling", "x_minus_sin", ["x"], [1e-3], "x - Sin(x)"),
    case("cancelling", "difference_of_roots", ["x"], [1e8], "Sqr(x + 1) - Sqr(x)"),
    # the second derivative e^x/(1+e^x) - e^2x/(1+e^x)^2 of the chain rule is a difference
    case("cancelling", "softplus_far_out", ["x"], [30], "Log(1 + Exp(x))"),
    # ten variables
    case("ten", "product_of_ten", TEN, grid(10, 0.5, 0.1), "x1*x2*x3*x4*x5*x6*x7*x8*x9*x10"),
    case("ten", "sum_of_sines_of_pairs", TEN, grid(10, 0.3, 0.15),
         "Sin(x1*x2) + Sin(x3*x4) + Sin(x5*x6) + Sin(x7*x8) + Sin(x9*x10) + Sin(x1*x10)"),
    case("ten", "exp_of_sum_over_product", TEN, grid(10, 0.1, 0.05),
         "Exp(x1+x2+x3+x4+x5+x6+x7+x8+x9+x10)/(x1*x2*x3)"),
    case("ten", "benchmark_function", TEN, grid(10, 0.5, 0.25),
         "x1*x2+x3*x4+x5*x6+x7*x8+x9*x10+Sin(x1)+Exp(x2/x3)+Sqr(x4)"),
    case("ten", "square_of_sum", TEN, grid(10, -1, 0.3), "(x1+x2+x3+x4+x5+x6+x7+x8+x9+x10)^2"),
    case("ten", "product_of_powers", TEN, grid(10, 0.9, 0.03), "x1^2*x2^3*x3*x4^4*x5*x6^2*x7*x8*x9^3*x10"),
    case("ten", "inverse_square_norm", TEN, grid(10, 0.2, 0.2),
         "1/(x1^2+x2^2+x3^2+x4^2+x5^2+x6^2+x7^2+x8^2+x9^2+x10^2)"),
    case("ten", "log_of_product", TEN, grid(10, 1, 0.5), "Log(x1*x2*x3*x4*x5*x6*x7*x8*x9*x10)"),
    # coordinates from 1e-3 to 1e6
    case("scale", "square_times_large", ["x", "y"], [1e-3, 1e6], "x^2*y"),
    case("scale", "root_of_product", ["x", "y"], [1e-3, 1e6], "Sqr(x*y)"),
    case("scale", "log_times_small", ["x", "y"], [1e6, 1e-3], "Log(x)*y"),
    case("scale", "sin_of_product", ["x", "y"], [1e-3, 1e3], "Sin(x*y)"),
    case("scale", "cube_over_square", ["x", "y"], [1e6, 1e-3], "x^3 / y^2"),
    case("scale", "exp_of_product", ["x", "y"], [1e-3, 1e3], "Exp(x*y)"),
    case("scale", "ratios", ["x", "y"], [1e-3, 1e6], "x/y + y/x"),
    case("scale", "shifted_square_of_product", ["x", "y"], [1e3, 3e-3], "(x*y - 2)^2"),
    case("scale", "quartic_far_out", ["x"], [1e6], "x^4 - x^2"),
    # the extra functions
    case("extra", "asin", ["x"], [0.3], "Asin(x)"),
    case("extra", "acos_of_product", ["x", "y"], [0.5, 0.9], "Acos(x*y)"),
    case("extra", "sinh_plus_cosh", ["x", "y"], [1.5, -2], "Sinh(x) + Cosh(y)"),
    case("extra", "tanh_far_out", ["x"], [20], "Tanh(x)"),
    case("extra", "tanh_of_product", ["x", "y"], [0.5, 0.8], "Tanh(x*y)"),
    case("extra", "asinh_far_out", ["x"], [1e6], "Asinh(x)"),
    case("extra", "acosh", ["x"], [1.5], "Acosh(x)"),
    case("extra", "atanh_near_its_end", ["x"], [0.999], "Atanh(x)"),
    case("extra", "asin_near_its_end", ["x"], [0.999999], "Asin(x)"),
    case("extra", "methods_of_sh", ["x", "y"], [0.3, 0.4], "sh.Sinh(x)*Tanh(y)"),
    case("extra", "acosh_of_square", ["x"], [2], "Acosh(x^2 + 1)"),
    case("extra", "atanh_of_quotient", ["x", "y"], [1, 3], "Atanh(x/y)"),
    case("extra", "asinh_of_product", ["x", "y"], [-2, 3], "Asinh(x*y)"),
    case("extra", "acos_near_minus_one", ["x"], [-0.9999], "Acos(x)"),
    # the language's own operations, away from their jumps
    case("language", "abs_away_from_its_kink", ["x", "y"], [-2, 3], "Abs(x)*y^2", "-x*y**2"),
    case("language", "int_between_whole_numbers", ["x"], [2.5], "Int(x) + x^2", "2 + x**2"),
    case("language", "branch_by_comparisons", ["x"], [2], "-(x>1)*x^3 + -(x<=1)*x^2", "x**3"),
    case("language", "mod_between_halves", ["x"], [2.2], "x Mod 3 + x^2", "2 + x**2"),
    case("language", "round_between_halves", ["x"], [1.234], "Round(x, 2) + x^3", "sp.Rational(123, 100) + x**3"),
    case("language", "root_of_radius", ["x", "y"], [3, 4], "Sqr(x^2 + y^2)"),
    case("language", "root_near_its_end", ["x"], [0.6], "Sqr(1 - x^2)"),
    case("language", "benchmark_one", ["x"], [0.5], "Sin(x)*Exp(x) + x^3"),
    case("language", "benchmark_two", ["x", "y"], [0.5, 0.75], "x^2*y + Sin(x*y)"),
    case("language", "benchmark_five", ["x1", "x2", "x3", "x4", "x5"], [0.5, 0.75, 1, 1.25, 1.5],
         "x1*x2 + x3*x4 + x5*Sin(x1) + Exp(x2/x3)"),
]


def number(value):
    if value == 0:
        return "0"
    return sp.sstr(sp.Float(value, SHOWN), full_prec=False)


def references(c):
    symbols = sp.symbols(c["names"])
    scope = {"sp": sp, **{n: s for n, s in zip(c["names"], symbols)}}
    f = eval(c["local"] or to_sympy(c["function"]), scope)
    at = {s: exact(p) for s, p in zip(symbols, c["point"])}
    value = f.subs(at).evalf(DIGITS)
    gradient = [sp.diff(f, s).subs(at).evalf(DIGITS) for s in symbols]
    hessian = [sp.diff(f, symbols[i], symbols[j]).subs(at).evalf(DIGITS)
               for i in range(len(symbols)) for j in range(i + 1)]
    return value, gradient, hessian


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "tests/derivatives/data/exact_corpus.txt")
    lines = ["# Written by scripts/exact_corpus.py; see there for the format. Do not edit by hand."]
    for c in CASES:
        value, gradient, hessian = references(c)
        lines.append("\t".join([
            c["kind"], c["name"], ",".join(c["names"]), ",".join(repr(float(p)) for p in c["point"]),
            c["function"], number(value), ",".join(number(g) for g in gradient),
            ",".join(number(h) for h in hessian)]))
    os.makedirs(os.path.dirname(out), exist_ok=True)
    with open(out, "w") as f:
        f.write("\n".join(lines) + "\n")
    print("%d cases written to %s" % (len(CASES), out))


if __name__ == "__main__":
    main()
