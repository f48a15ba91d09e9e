"""The families of reports the grammar draws a table's content from: what its records hold
and how their figures tie together. How a table is printed is drawn apart (habits.py), so
every family meets every habit.

    draw(name, d, rng, year) -> Content
"""

from . import accounts, documents, registers, sheets

FAMILIES = {
    "ledger": accounts.ledger, "journal": accounts.journal,
    "trial-balance": accounts.trial_balance,
    "fx-statement": accounts.fx_statement, "aging": accounts.aging,
    "invoices": documents.invoices, "sales": documents.sales, "receipts": documents.receipts,
    "cheques": documents.cheques,
    "fixed-assets": registers.fixed_assets, "loan": registers.loan,
    "stock": registers.stock, "allocation": registers.allocation,
    "budget": sheets.budget, "attendance": sheets.attendance, "monthly": sheets.monthly,
}


def draw(name, d, rng, year):
    """The content of a table of the named family; its own switches are drawn as tags under
    the family's name."""
    return FAMILIES[name](d.sub(name + "."), rng, year)
