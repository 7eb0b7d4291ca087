h
h
h
X01 -5
