OPENQASM 2.0;
qreg r[8];
h r;
cz r[7],r[0]; // pair
barrier r;
measure r -> c;
